#pragma once

#include <functional>
#include <string>

class CHousDoc;

// Puts a picture file the user chooses onto the plan at the camera's plan
// position, on the current storey, as one undo step. lastPath is the file
// chosen last in this run, where the dialog starts (the program folder
// before any). showPictures switches the plan's pictures on; it is called
// while they are hidden. The edit mode is 0 afterwards whatever happens.
// True when a picture was added.
bool InsertPlanPicture(CHousDoc& doc, std::string& lastPath,
                       const std::function<void()>& showPictures);
