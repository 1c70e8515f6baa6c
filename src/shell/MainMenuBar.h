#pragma once

class wxAcceleratorTable;
class wxKeyEvent;
class wxMenu;
class wxMenuBar;

// The main window's menu bar made from its table. The recent-file submenu
// is left empty for the start-up code's file history; it is returned through
// recentFileMenu.
wxMenuBar* BuildMainMenuBar(wxMenu*& recentFileMenu);

// The frame's own keys, which also reach commands that have no menu entry.
wxAcceleratorTable BuildMainAcceleratorTable();

// The command of the frame's table that the key runs; -1 for none.
int FindMainAcceleratorCommand(const wxKeyEvent& key);
