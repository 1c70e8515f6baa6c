#pragma once

class wxAuiToolBar;
class wxMenu;
class wxWindow;

// The tool-bar id of the basic and of the play tool bar.
inline constexpr int kBasicToolBarId = 518;
inline constexpr int kPlayToolBarId = 521;

// The file, edit and output buttons above the views, the show-mode button
// with its drop-down last.
wxAuiToolBar* CreateBasicToolBar(wxWindow* parent);
// The two buttons shown in show mode: location points and the edit-mode
// button with its drop-down.
wxAuiToolBar* CreatePlayToolBar(wxWindow* parent);

// The mode button's drop-down: in edit mode it offers show mode, in show
// mode edit mode, each with the way back to the main menu.
wxMenu* CreateModeDropDownMenu(bool showMode);
