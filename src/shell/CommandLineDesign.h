#pragma once

#include <string>

class CMainFrame;

// Opens the design file into the frame's 3D view and names it in the
// frame's title. False, with the open design kept, when the file cannot be
// opened (the user is told why).
bool OpenDesignInFrame(CMainFrame& frame, const std::string& path);

// The same once the 3D view has set itself up at its first paint: the
// set-up puts the camera back to its start, and a design opened before it
// would lose the camera it brought.
void OpenDesignWhenShown(CMainFrame& frame, std::string path);
