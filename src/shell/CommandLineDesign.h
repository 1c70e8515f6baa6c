#pragma once

#include <functional>
#include <string>

class CMainFrame;

// Runs the action once the frame's 3D view has set itself up at its first
// paint: the set-up puts the camera back to its start, and a design opened
// before it would lose the camera it brought. Nothing runs without a 3D view.
void RunWhenShown(CMainFrame& frame, std::function<void()> action);

// Opens the design file as the program's open command does, once shown. A
// file that cannot be opened leaves the empty design, after the message that
// says why. afterOpen, when given, runs once the open is over, either way.
void OpenDesignWhenShown(CMainFrame& frame, std::string path, std::function<void()> afterOpen = {});
