#pragma once

#include <array>
#include <string>
#include <vector>

// The 3D view's context menus as plain data: which menu the selection
// chooses and the items of each. The window builds its popup from these.
namespace context_menu {

// Menu numbers.
inline constexpr int kNoSelectionMenu = 268;
inline constexpr int kModelMenu = 130;
inline constexpr int kLightMenu = 144;
inline constexpr int kWallMenu = 148;
inline constexpr int kFloorMenu = 164;
inline constexpr int kCeilingMenu = 165;
inline constexpr int kPhotoMenu = 526;

// The main frame's and the view's command numbers the menus offer.
inline constexpr int kDelete = 31778;
inline constexpr int kShowMirrorImages = 32771;
inline constexpr int kModify = 32772;
inline constexpr int kShowShadow = 32773;
inline constexpr int kRefine = 31780;
inline constexpr int kWallItems = 32810;
inline constexpr int kPlanIconShow = 32855;
inline constexpr int kPlanIconLines = 32856;
inline constexpr int kPlanIconHide = 33052;
inline constexpr int kMirrorSurface = 32899;
inline constexpr int kReplace = 32905;
inline constexpr int kAddAnotherWall = 32999;
inline constexpr int kAddAnotherCeiling = 33000;
inline constexpr int kAddAnotherFloor = 33001;
inline constexpr int kHide = 32932;
inline constexpr int kShowAll = 32933;
inline constexpr int kPasteOnFaces = 10;
inline constexpr int kPasteAllFaces = 11;
inline constexpr int kAddShadowPicture = 62023;
inline constexpr int kInnerEdgeFloor = 62027;
inline constexpr int kInnerEdgeCeiling = 62028;
inline constexpr int kInnerEdgeBoth = 62029;
inline constexpr int kInnerEdgeShelf = 62049;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kPasteHere = 62009;
inline constexpr int kArrayCopy = 32785;
inline constexpr int kExportSelection = 32929;
inline constexpr int kExportPackagedModel = 32934;
inline constexpr int kMirrorLeftRight = 62018;
inline constexpr int kMirrorFrontBack = 62019;
inline constexpr int kShowSurfacePlanDrawing = 8;
inline constexpr int kReadBoundaryValues = 32950;

// A command, or a submenu when it has children (its command is then 0).
struct MenuItem {
    std::string text;
    int command = 0;
    std::vector<MenuItem> children;
};

// The menu a selection chooses and whether "置換" is left out of it (3D
// text shares the models' menu but cannot be replaced).
struct MenuChoice {
    int menu = kNoSelectionMenu;
    bool withoutReplace = false;
};

// selected[type]: the saved type (0 model, 1 wall, 2 light, 3 3D text,
// 4 photo, 5 floor, 6 ceiling) has a selection. The first type with one,
// in the order model, 3D text, photo, wall, light, floor, ceiling, chooses.
[[nodiscard]] MenuChoice ChooseMenu(const std::array<bool, 7>& selected);

// The items of a menu in their order; empty for an unknown number.
[[nodiscard]] std::vector<MenuItem> GetMenuItems(int menu);
// The items of the chosen menu, without "置換" when the choice says so.
[[nodiscard]] std::vector<MenuItem> GetMenuItems(const MenuChoice& choice);

}  // namespace context_menu
