#pragma once

class wxToolBar;

// Turns the tool bar's button of that command into a button with a drop-down
// arrow, keeping its place, pictures and texts. Nothing when the bar has no
// such button.
void SetToolBarButtonDropDown(wxToolBar& toolBar, int commandId);
