#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "view3d/ContextMenuTable.h"
#include "view3d/ViewCommandRules.h"

namespace {

using view_commands::ViewCommandContext;
using view_commands::ViewCommandUpdate;

struct Case {
    const char* name;
    int command;
    std::function<void(ViewCommandContext&)> arrange;
    ViewCommandUpdate expected;
};

TEST(ViewCommandRulesTest, EachCommandFollowsItsRule) {
    using namespace context_menu;
    auto none = [](ViewCommandContext&) {};
    const Case cases[] = {
        {"delete always", kDelete, none, {true, std::nullopt}},
        {"mirror images unchecked", kShowMirrorImages, none, {true, false}},
        {"mirror images shown",
         kShowMirrorImages,
         [](ViewCommandContext& c) { c.mirrorShown = true; },
         {true, true}},
        {"shadow shown",
         kShowShadow,
         [](ViewCommandContext& c) { c.shadowShown = true; },
         {true, true}},
        {"modify with nothing selected", kModify, none, {false, std::nullopt}},
        {"modify with one selected",
         kModify,
         [](ViewCommandContext& c) { c.selected[4] = 1; },
         {true, std::nullopt}},
        {"modify with two selected",
         view_commands::kModifyAlternative,
         [](ViewCommandContext& c) { c.selected = {1, 1, 0, 0, 0, 0, 0}; },
         {false, std::nullopt}},
        {"refine without a surface answering", kRefine, none, {false, false}},
        {"refine on a refined face",
         kRefine,
         [](ViewCommandContext& c) { c.faceRefined = true; },
         {true, true}},
        {"wall items with one surface",
         kWallItems,
         [](ViewCommandContext& c) {
             c.faceEditorInstalled = true;
             c.selected[6] = 1;
         },
         {true, std::nullopt}},
        {"wall items without a face editor",
         kWallItems,
         [](ViewCommandContext& c) { c.selected[6] = 1; },
         {false, std::nullopt}},
        {"wall items with a wall and a floor",
         kWallItems,
         [](ViewCommandContext& c) {
             c.faceEditorInstalled = true;
             c.selected = {0, 1, 0, 0, 0, 1, 0};
         },
         {false, std::nullopt}},
        {"wall items ignore models",
         kWallItems,
         [](ViewCommandContext& c) {
             c.faceEditorInstalled = true;
             c.selected = {3, 1, 0, 0, 0, 0, 0};
         },
         {true, std::nullopt}},
        {"icon shown without lines",
         kPlanIconShow,
         [](ViewCommandContext& c) {
             c.hasPlanIcon = true;
             c.planIconShown = true;
         },
         {true, true}},
        {"icon shown in line mode",
         kPlanIconShow,
         [](ViewCommandContext& c) {
             c.hasPlanIcon = true;
             c.planIconShown = true;
             c.planIconLines = true;
         },
         {true, false}},
        {"lines need outline points",
         kPlanIconLines,
         [](ViewCommandContext& c) { c.planIconShown = true; },
         {false, false}},
        {"lines shown",
         kPlanIconLines,
         [](ViewCommandContext& c) {
             c.hasOutlinePoints = true;
             c.planIconShown = true;
             c.planIconLines = true;
         },
         {true, true}},
        {"icon hidden", kPlanIconHide, none, {true, true}},
        {"mirror surface found",
         kMirrorSurface,
         [](ViewCommandContext& c) { c.mirrorFaceFound = true; },
         {true, true}},
        {"show all with nothing hidden", kShowAll, none, {false, std::nullopt}},
        {"show all with something hidden",
         kShowAll,
         [](ViewCommandContext& c) { c.anyHidden = true; },
         {true, std::nullopt}},
        {"add light while drawing",
         view_commands::kAddLight,
         [](ViewCommandContext& c) { c.drawingInProgress = true; },
         {false, std::nullopt}},
        {"add 3D text", view_commands::kAddText3D, none, {true, std::nullopt}},
        {"side faces need a pick", kPasteOnFaces, none, {false, std::nullopt}},
        {"all faces with a pick",
         kPasteAllFaces,
         [](ViewCommandContext& c) { c.picked = true; },
         {true, std::nullopt}},
        {"inner edge in mode 216",
         kInnerEdgeShelf,
         [](ViewCommandContext& c) { c.editMode = 216; },
         {true, std::nullopt}},
        {"inner edge in mode 220",
         kInnerEdgeFloor,
         [](ViewCommandContext& c) { c.editMode = 220; },
         {false, std::nullopt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewCommandContext context;
        c.arrange(context);
        const std::optional<ViewCommandUpdate> update =
            view_commands::GetViewCommandUpdate(c.command, context);
        ASSERT_TRUE(update.has_value());
        EXPECT_EQ(*update, c.expected);
    }
}

TEST(ViewCommandRulesTest, MainFrameCommandsHaveNoViewRule) {
    using namespace context_menu;
    for (const int command : {kCopy, kPaste, kPasteHere, kArrayCopy, kMirrorLeftRight}) {
        EXPECT_FALSE(view_commands::GetViewCommandUpdate(command, {}).has_value()) << command;
    }
}

}  // namespace
