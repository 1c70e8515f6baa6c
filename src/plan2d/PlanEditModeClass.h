#pragma once

// The class of an edit mode as the plan treats it.
enum PlanEditModeClass {
    kOtherModeClass = 0,
    kCreationModeClass = 920,   // a tool that draws an outline or a shape
    kSelectionModeClass = 930,  // one or several objects selected
};

PlanEditModeClass GetPlanEditModeClass(int editMode);
