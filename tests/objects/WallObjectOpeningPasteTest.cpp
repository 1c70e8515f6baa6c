#include <gtest/gtest.h>

#include <memory>

#include "FakeDocumentServices.h"
#include "TestWall.h"

namespace {

WallFaceItem Line(int face, int kind, float at) {
    WallFaceItem line(face, 0, kind);
    line.SetCorners({at, at}, {at, at});
    return line;
}

}  // namespace

TEST(WallOpeningPasteTest, SplitLinesPasteOnlyWhereTheFaceHasNoneAtThatHeight) {
    FakeDocumentServices document;
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(300), 280.0f), 1);
    wall.AddFaceItem(
        std::make_unique<WallFaceItem>(Line(2, WallFaceItem::kHorizontalSplitLine, 100)));
    WallFaceItem window(2, 1, WallFaceItem::kRectangle);
    window.SetCorners({50, 90}, {150, 210});

    const struct {
        const char* name;
        WallFaceItem item;
        int face;
        int expected;
    } cases[] = {
        {"vertical line", Line(3, WallFaceItem::kVerticalSplitLine, 100), 3, 0},
        {"horizontal line at the top", Line(3, WallFaceItem::kHorizontalSplitLine, 280), 3, 0},
        {"horizontal line above the face", Line(3, WallFaceItem::kHorizontalSplitLine, 300), 3, 0},
        {"horizontal line where one is", Line(2, WallFaceItem::kHorizontalSplitLine, 100), 2, 0},
        {"horizontal line at another height", Line(2, WallFaceItem::kHorizontalSplitLine, 120), 2,
         1},
        {"horizontal line at that height on another face",
         Line(3, WallFaceItem::kHorizontalSplitLine, 100), 3, 1},
        {"window", window, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wall.CanPasteOpening(c.item, c.face, 280.0f), c.expected);
    }
}
