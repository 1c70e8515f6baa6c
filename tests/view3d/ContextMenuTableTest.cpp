#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "view3d/ContextMenuTable.h"

using namespace context_menu;

namespace {

std::vector<std::string> Texts(const std::vector<MenuItem>& items) {
    std::vector<std::string> texts;
    for (const MenuItem& item : items) {
        texts.push_back(item.text);
    }
    return texts;
}

bool HasCommand(const std::vector<MenuItem>& items, int command) {
    return std::any_of(items.begin(), items.end(), [command](const MenuItem& item) {
        return item.command == command || HasCommand(item.children, command);
    });
}

std::array<bool, 7> Selecting(std::initializer_list<int> types) {
    std::array<bool, 7> selected{};
    for (int type : types) {
        selected[static_cast<std::size_t>(type)] = true;
    }
    return selected;
}

TEST(ContextMenuTable, TheFirstSelectedTypeInMenuOrderChoosesTheMenu) {
    struct Case {
        std::initializer_list<int> types;
        int menu;
        bool withoutReplace;
    };
    const Case cases[] = {
        {{}, kNoSelectionMenu, false},
        {{0}, kModelMenu, false},
        {{3}, kModelMenu, true},
        {{4}, kPhotoMenu, false},
        {{1}, kWallMenu, false},
        {{2}, kLightMenu, false},
        {{5}, kFloorMenu, false},
        {{6}, kCeilingMenu, false},
        // Models come before 3D text, 3D text before photos, photos
        // before walls, walls before lights, lights before floors.
        {{0, 3}, kModelMenu, false},
        {{3, 4, 1}, kModelMenu, true},
        {{4, 1}, kPhotoMenu, false},
        {{1, 2, 5, 6}, kWallMenu, false},
        {{2, 5}, kLightMenu, false},
        {{5, 6}, kFloorMenu, false},
    };
    for (const Case& c : cases) {
        const MenuChoice choice = ChooseMenu(Selecting(c.types));
        EXPECT_EQ(choice.menu, c.menu) << c.types.size();
        EXPECT_EQ(choice.withoutReplace, c.withoutReplace) << c.menu;
    }
}

TEST(ContextMenuTable, ThreeDTextSharesTheModelMenuWithoutReplace) {
    const std::vector<MenuItem> model = GetMenuItems(MenuChoice{kModelMenu, false});
    const std::vector<MenuItem> text = GetMenuItems(ChooseMenu(Selecting({3})));
    EXPECT_TRUE(HasCommand(model, kReplace));
    EXPECT_FALSE(HasCommand(text, kReplace));
    EXPECT_EQ(text.size() + 1, model.size());
    EXPECT_TRUE(HasCommand(text, kAddShadowPicture));
}

TEST(ContextMenuTable, MenusHoldTheirItemsInOrder) {
    EXPECT_EQ(Texts(GetMenuItems(kNoSelectionMenu)),
              (std::vector<std::string>{"貼上", "顯示所有物件"}));
    EXPECT_EQ(Texts(GetMenuItems(kLightMenu)),
              (std::vector<std::string>{"修改", "刪除", "複製", "貼上", "陣列複製", "輸出DQV6檔案",
                                        "輸出QVX檔案"}));
    const std::vector<std::string> floor{"顯示鏡像",     "隱藏",
                                         "顯示所有物件", "修改",
                                         "刪除",         "複製",
                                         "貼上",         "陣列複製",
                                         "顯示2D圖",     "讀取界線值",
                                         "細化",         "設定門窗/分割/挖洞",
                                         "鏡面",         "另新增牆、樑、柱",
                                         "另新增天花板", "另新增地板",
                                         "輸出DQV6檔案", "輸出QVX檔案"};
    EXPECT_EQ(Texts(GetMenuItems(kFloorMenu)), floor);
    // The ceiling's menu pastes at the point too and has no mirror face.
    std::vector<std::string> ceiling = floor;
    std::erase(ceiling, "鏡面");
    ceiling.insert(std::find(ceiling.begin(), ceiling.end(), "貼上") + 1, "到此處貼上");
    EXPECT_EQ(Texts(GetMenuItems(kCeilingMenu)), ceiling);

    const std::vector<MenuItem> wall = GetMenuItems(kWallMenu);
    EXPECT_EQ(wall.size(), floor.size() + 4);
    const auto edge = std::find_if(wall.begin(), wall.end(),
                                   [](const MenuItem& item) { return item.text == "新增內緣"; });
    ASSERT_NE(edge, wall.end());
    EXPECT_EQ(Texts(edge->children),
              (std::vector<std::string>{"地板", "天花板", "地板,天花板", "層板"}));
    EXPECT_EQ(edge->children[3].command, kInnerEdgeShelf);

    const std::vector<MenuItem> photo = GetMenuItems(kPhotoMenu);
    EXPECT_TRUE(HasCommand(photo, kReplace));
    EXPECT_TRUE(HasCommand(photo, kPlanIconLines));
    EXPECT_FALSE(HasCommand(photo, kShowShadow));
    EXPECT_TRUE(GetMenuItems(999).empty());
}

}  // namespace
