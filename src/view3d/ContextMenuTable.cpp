#include "view3d/ContextMenuTable.h"

#include <algorithm>

namespace context_menu {

namespace {

MenuItem Item(const char* text, int command) {
    return {text, command, {}};
}

MenuItem PlanIconSubmenu() {
    return {"2D icon",
            0,
            {Item("顯示 icon", kPlanIconShow), Item("顯示線條", kPlanIconLines),
             Item("不顯示", kPlanIconHide)}};
}

std::vector<MenuItem> ModelMenu() {
    return {Item("顯示鏡像", kShowMirrorImages),
            Item("顯示陰影", kShowShadow),
            Item("隱藏", kHide),
            Item("顯示所有物件", kShowAll),
            Item("修改", kModify),
            Item("置換", kReplace),
            Item("複製", kCopy),
            Item("貼上", kPaste),
            Item("刪除", kDelete),
            Item("陣列複製", kArrayCopy),
            PlanIconSubmenu(),
            Item("輸出DQV6檔案", kExportSelection),
            Item("輸出QVX檔案", kExportPackagedModel),
            Item("左右鏡射", kMirrorLeftRight),
            Item("前後鏡射", kMirrorFrontBack),
            Item("加上陰影圖", kAddShadowPicture)};
}

std::vector<MenuItem> LightMenu() {
    return {Item("修改", kModify),
            Item("刪除", kDelete),
            Item("複製", kCopy),
            Item("貼上", kPaste),
            Item("陣列複製", kArrayCopy),
            Item("輸出DQV6檔案", kExportSelection),
            Item("輸出QVX檔案", kExportPackagedModel)};
}

std::vector<MenuItem> WallMenu() {
    return {Item("顯示鏡像", kShowMirrorImages),
            Item("顯示陰影", kShowShadow),
            Item("隱藏", kHide),
            Item("顯示所有物件", kShowAll),
            Item("修改", kModify),
            Item("刪除", kDelete),
            Item("複製", kCopy),
            Item("貼上", kPaste),
            Item("陣列複製", kArrayCopy),
            Item("顯示2D圖", kShowSurfacePlanDrawing),
            Item("讀取界線值", kReadBoundaryValues),
            Item("細化", kRefine),
            Item("設定門窗/分割/挖洞", kWallItems),
            Item("鏡面", kMirrorSurface),
            Item("另新增牆、樑、柱", kAddAnotherWall),
            Item("另新增天花板", kAddAnotherCeiling),
            Item("另新增地板", kAddAnotherFloor),
            {"新增內緣",
             0,
             {Item("地板", kInnerEdgeFloor), Item("天花板", kInnerEdgeCeiling),
              Item("地板,天花板", kInnerEdgeBoth), Item("層板", kInnerEdgeShelf)}},
            Item("立面貼", kPasteOnFaces),
            Item("全面貼", kPasteAllFaces),
            Item("輸出DQV6檔案", kExportSelection),
            Item("輸出QVX檔案", kExportPackagedModel)};
}

void RemoveItem(std::vector<MenuItem>& items, const char* text) {
    std::erase_if(items, [text](const MenuItem& item) { return item.text == text; });
}

std::vector<MenuItem> FloorMenu() {
    std::vector<MenuItem> items = WallMenu();
    for (const char* text : {"顯示陰影", "新增內緣", "立面貼", "全面貼"}) {
        RemoveItem(items, text);
    }
    return items;
}

std::vector<MenuItem> CeilingMenu() {
    std::vector<MenuItem> items = FloorMenu();
    RemoveItem(items, "鏡面");
    const auto paste = std::find_if(items.begin(), items.end(),
                                    [](const MenuItem& item) { return item.command == kPaste; });
    items.insert(paste + 1, Item("到此處貼上", kPasteHere));
    return items;
}

std::vector<MenuItem> PhotoMenu() {
    return {Item("顯示鏡像", kShowMirrorImages),
            Item("隱藏", kHide),
            Item("顯示所有物件", kShowAll),
            Item("修改", kModify),
            Item("置換", kReplace),
            Item("刪除", kDelete),
            Item("複製", kCopy),
            Item("貼上", kPaste),
            Item("陣列複製", kArrayCopy),
            Item("細化", kRefine),
            PlanIconSubmenu(),
            Item("輸出DQV6檔案", kExportSelection),
            Item("輸出QVX檔案", kExportPackagedModel)};
}

}  // namespace

MenuChoice ChooseMenu(const std::array<bool, 7>& selected) {
    struct TypeMenu {
        int type;
        int menu;
    };
    constexpr TypeMenu kOrder[] = {{0, kModelMenu},  {3, kModelMenu}, {4, kPhotoMenu},
                                   {1, kWallMenu},   {2, kLightMenu}, {5, kFloorMenu},
                                   {6, kCeilingMenu}};
    for (const TypeMenu& entry : kOrder) {
        if (selected[static_cast<std::size_t>(entry.type)]) {
            return {entry.menu, entry.type == 3};
        }
    }
    return {};
}

std::vector<MenuItem> GetMenuItems(int menu) {
    switch (menu) {
        case kNoSelectionMenu:
            return {Item("貼上", kPaste), Item("顯示所有物件", kShowAll)};
        case kModelMenu:
            return ModelMenu();
        case kLightMenu:
            return LightMenu();
        case kWallMenu:
            return WallMenu();
        case kFloorMenu:
            return FloorMenu();
        case kCeilingMenu:
            return CeilingMenu();
        case kPhotoMenu:
            return PhotoMenu();
        default:
            return {};
    }
}

std::vector<MenuItem> GetMenuItems(const MenuChoice& choice) {
    std::vector<MenuItem> items = GetMenuItems(choice.menu);
    if (choice.withoutReplace) {
        std::erase_if(items, [](const MenuItem& item) { return item.command == kReplace; });
    }
    return items;
}

}  // namespace context_menu
