#pragma once

#include <optional>

class CHousDoc;

// What the main frame's menu items and tool-bar buttons are enabled and
// checked by: a snapshot of the design and its views.
struct CommandContext {
    bool hasDocument = false;
    int editMode = 0;
    bool showMode = false;
    // The edit mode ends in 1: a first point is placed (so is show mode 911).
    bool drawingInProgress = false;
    bool busy = false;
    bool modified = false;
    bool undoEmpty = true;
    bool redoEmpty = true;
    bool hasCopy = false;
    // A design file is being read.
    bool loading = false;
    // The plan view's class of the edit mode (PlanEditModeClass).
    int planEditModeClass = 0;
    // An object of the types 0 to 6 is selected.
    bool objectSelected = false;
    // A furniture object, a wall, a photo or a 3D text is picked.
    bool movableObjectPicked = false;
    // A furniture object or a photo is selected in 3D.
    bool replaceableSelected = false;
    bool snap = false;
    bool fixedWallAngle = false;
    bool moveLock = false;
    bool shadowReverse = false;
    bool printPlanSelection = false;
    // The first selected surface of the edit mode's kind shows its plan drawing.
    bool surfaceShowsPlan = false;
    int backgroundChoice = 0;
    // The command has a handler in this program.
    bool hasHandler = false;
};

struct CommandUpdate {
    bool enabled = false;
    std::optional<bool> checked;

    bool operator==(const CommandUpdate&) const = default;
};

// The plan view's class of selection modes.
inline constexpr int kSelectionModeClassOfPlan = 930;

// The rule the file and output commands share: on in show mode 911, 915
// and 916, off while the walk-through player works (912, 914), else off
// only while a drawing is in progress.
bool IsFileCommandEnabled(const CommandContext& context);

// How the command's item looks; nothing when it is left as it is (a command
// with a handler and no rule of its own). A command without a handler is
// always disabled.
std::optional<CommandUpdate> GetCommandUpdate(int command, const CommandContext& context);

// Whether the command's item shows a check mark: its rule gives one to a
// command that has its handler.
bool HasCheckMark(int command);

// The context of the document as far as the document reaches: its modes
// and flags, its history, and its 3D view's selection. The has-copy flag,
// the plan view's facts and the handler are the caller's to add.
CommandContext ReadCommandContext(const CHousDoc* document);
