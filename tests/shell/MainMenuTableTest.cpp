#include "shell/MainMenuTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "shell/CommandIds.h"

namespace {

void CollectIds(const std::vector<MainMenuEntry>& entries, std::map<int, int>& counts,
                std::map<int, std::string>& texts) {
    for (const MainMenuEntry& entry : entries) {
        if (entry.kind == MainMenuEntry::Kind::Command ||
            entry.kind == MainMenuEntry::Kind::RecentFiles) {
            ++counts[entry.id];
            texts[entry.id] = entry.text;
        }
        CollectIds(entry.children, counts, texts);
    }
}

}  // namespace

TEST(MainMenuTable, HasFiveMenusInOrder) {
    const auto& table = GetMainMenuTable();
    ASSERT_EQ(table.size(), 5u);
    const std::vector<std::string> names{"檔案(&F)", "編輯(&E)", "檢視(&V)", "模式(&M)",
                                         "說明(&H)"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(table[i].kind, MainMenuEntry::Kind::Submenu);
        EXPECT_EQ(table[i].text, names[i]);
    }
}

// Each command stands once in the menus: a repeat would make one entry's
// check mark or enabling follow the other.
TEST(MainMenuTable, EveryCommandIdAppearsOnce) {
    std::map<int, int> counts;
    std::map<int, std::string> texts;
    CollectIds(GetMainMenuTable(), counts, texts);
    for (const auto& [id, count] : counts) {
        EXPECT_NE(id, 0) << texts[id];
        EXPECT_EQ(count, 1) << id << " " << texts[id];
    }
}

TEST(MainMenuTable, KeyEntriesHaveTheirTexts) {
    std::map<int, int> counts;
    std::map<int, std::string> texts;
    CollectIds(GetMainMenuTable(), counts, texts);
    const std::map<int, std::string> expected{
        {cmd::kFileNew, "新設計案(&N)\tCtrl+N"},
        {cmd::kAddDesign, "加入設計案(&J)\tCtrl+Alt+A"},
        {cmd::kFileSaveAs, "另存設計案(&A)\tCtrl+Alt+S"},
        {cmd::kFirstRecentFile, "最近開啟的設計案"},
        {cmd::kExit, "離開(&X)"},
        {cmd::kFixedWallAngle, "2D-固定牆夾角(L)\tF8"},
        {cmd::kMoveToGround, "3D-移至地面(&B)\tCtrl+End"},
        {cmd::kViewSolid, "實體展示(&L)\tA"},
        {cmd::kViewWireframe, "網線展示(&W)\tA"},
        {cmd::kOrthoBottom, "下視(O)"},
        {cmd::kShowWalls, "顯示牆、樑、柱(W)"},
        {cmd::kBarStatus, "狀態列(&S)"},
        {cmd::kSmoothing, "3D-物件平滑處理(&N)\tCtrl+A"},
        {cmd::kEditModeButton, "切換至編輯模式(&D)"},
        {cmd::kShowModeButton, "切換至展示模式(&W)"},
        {cmd::kBackToMainMenu, "回主選單(&M)"},
        {cmd::kAbout, "關於Velmora(&A)\tF1"},
    };
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(texts[id], text) << id;
    }
}

TEST(MainMenuTable, RecentFilesIsAnEmptySubmenuOfTheFileMenu) {
    const auto& file = GetMainMenuTable()[0].children;
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(file[5].kind, MainMenuEntry::Kind::RecentFiles);
    EXPECT_TRUE(file[5].children.empty());
    EXPECT_EQ(file[6].kind, MainMenuEntry::Kind::Separator);
}

TEST(MainMenuTable, ZoomMenuRunsFrom2000To20Percent) {
    const std::vector<MainMenuEntry> zoom = MakeZoomMenuEntries();
    ASSERT_EQ(zoom.size(), 32u);
    struct Case {
        std::size_t index;
        const char* text;
        int id;
    };
    const Case cases[] = {{0, "2000%", 31834}, {10, "1000%", 31824}, {11, "900%", 31823},
                          {15, "500%", 31819}, {16, "450%", 31817},  {23, "100%", 31810},
                          {24, " 90%", 31809}, {31, " 20%", 31802}};
    for (const Case& c : cases) {
        EXPECT_EQ(zoom[c.index].text, c.text) << c.index;
        EXPECT_EQ(zoom[c.index].id, c.id) << c.index;
    }
    for (const MainMenuEntry& entry : zoom) {
        EXPECT_NE(entry.id, 31818) << "31818 is not a zoom level";
        EXPECT_GE(entry.id, cmd::kZoom20);
        EXPECT_LE(entry.id, cmd::kZoom2000);
    }
}

TEST(MainAcceleratorTable, HoldsTheFrameKeys) {
    using A = MainAccelerator;
    const std::vector<std::tuple<int, int, int>> expected{
        {A::kCtrl, 'N', cmd::kFileNew},
        {A::kCtrl, 'O', cmd::kFileOpen},
        {A::kCtrl, 'S', cmd::kFileSave},
        {A::kCtrl | A::kAlt, 'S', cmd::kFileSaveAs},
        {A::kCtrl | A::kAlt, 'A', cmd::kAddDesign},
        {A::kCtrl, 'C', cmd::kCopy},
        {A::kCtrl, 'V', cmd::kPaste},
        {A::kCtrl, 'Z', cmd::kUndo},
        {A::kCtrl, 'Y', cmd::kRedo},
        {A::kCtrl, 'A', cmd::kSmoothing},
        {A::kCtrl, 'E', 23352},
        {A::kCtrl, kAccelKeyEnd, cmd::kMoveToGround},
        {A::kNone, kAccelKeyF1, cmd::kAbout},
        {A::kNone, kAccelKeyF1 + 2, cmd::kToggleSnap},
        {A::kNone, kAccelKeyF1 + 6, 32937},
        {A::kNone, kAccelKeyF1 + 7, cmd::kFixedWallAngle},
        {A::kNone, kAccelKeyF1 + 11, 32936},
    };
    const auto& table = GetMainAcceleratorTable();
    ASSERT_EQ(table.size(), expected.size());
    std::set<std::pair<int, int>> keys;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].modifiers, std::get<0>(expected[i])) << i;
        EXPECT_EQ(table[i].key, std::get<1>(expected[i])) << i;
        EXPECT_EQ(table[i].id, std::get<2>(expected[i])) << i;
        EXPECT_TRUE(keys.insert({table[i].modifiers, table[i].key}).second) << i;
    }
}
