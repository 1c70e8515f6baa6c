#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DesignFileFixture.h"
#include "document/ActiveDocumentServices.h"
#include "foundation/ActiveDocument.h"
#include "foundation/RefineLevelPrompt.h"
#include "foundation/Vector2D.h"
#include "objects/FloorObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

constexpr const char* kDone = "細化處理完成!";
constexpr int kSideFace = 3;
// The first triangle of a side face of a plain wall.
constexpr int kSideTriangle = 2 * kSideFace;

std::size_t CountPart(const CWallObject& wall, uint32_t part) {
    std::size_t count = 0;
    for (uint32_t attribute : wall.GetMeshAttributes()) {
        count += attribute == part ? 1 : 0;
    }
    return count;
}

// A design with one selected wall; objects reach this document, and the
// level question is answered by the test.
class DesignSceneRefineTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "260");
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
        planView.frame.SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
        SetActiveHousDocAccessor([this] { return doc.get(); });
        m_previousServices = SetDocumentServices(&m_services);
        wall = scene->AddWallFromOutline({{0, 0}, {0, 300}, {400, 300}, {400, 0}});
        ASSERT_NE(wall, nullptr);
        scene->SelectObject(kWallObjectType, wall);
        wall->SetSelected(1);
        doc->ClearHistoryList(0);
        messages.clear();
    }
    void TearDown() override {
        SetDocumentServices(m_previousServices);
        SetActiveHousDocAccessor({});
        DesignFileTest::TearDown();
    }

    // The level answered, and the face sizes asked with.
    std::optional<int> answer = 2;
    std::vector<std::pair<int, int>> asked;
    CScopedRefineLevelHandler levels{[this](int width, int height) {
        asked.emplace_back(width, height);
        return answer;
    }};
    CWallObject* wall = nullptr;

private:
    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
};

}  // namespace

TEST_F(DesignSceneRefineTest, PlainFaceAsksItsLevelAndCancelChangesNothing) {
    const std::string plain = WriteDesignBytes();
    const std::size_t vertices = wall->GetMeshVertices().size();
    const CVector2F size = wall->GetFaceSize(kSideFace);
    answer = std::nullopt;
    int face = kSideTriangle;

    EXPECT_FALSE(scene->RefineSelectedOfType(kWallObjectType, &face));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(static_cast<int>(size.x), static_cast<int>(size.y)));
    EXPECT_EQ(WriteDesignBytes(), plain);
    EXPECT_EQ(wall->GetMeshVertices().size(), vertices);
    EXPECT_TRUE(doc->HistoryList(0).empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(scene->IsSelectionRefined(face), std::optional<bool>(false));
}

TEST_F(DesignSceneRefineTest, UndoAndRedoOfARefinementWriteTheSameDesigns) {
    const std::string plain = WriteDesignBytes();
    int face = kSideTriangle;
    const int repaints = view3D.repaints;
    scene->RefineSelection(&face);

    EXPECT_EQ(CountPart(*wall, kSideFace), 32u);
    EXPECT_EQ(wall->GetRefineRecords()[kSideFace].level, 2);
    EXPECT_EQ(messages, std::vector<std::string>{kDone});
    EXPECT_GT(view3D.repaints, repaints);
    EXPECT_EQ(doc->HistoryList(0).size(), 1u);
    const std::string refined = WriteDesignBytes();
    EXPECT_NE(refined, plain);
    // The refined part is found by any of its new triangles.
    const int refinedTriangle = static_cast<int>(wall->GetMeshAttributes().size()) - 1;
    EXPECT_EQ(scene->IsSelectionRefined(refinedTriangle), std::optional<bool>(true));

    doc->Undo();
    EXPECT_EQ(WriteDesignBytes(), plain);
    EXPECT_EQ(CountPart(*wall, kSideFace), 2u);
    doc->Redo();
    EXPECT_EQ(WriteDesignBytes(), refined);
    EXPECT_EQ(CountPart(*wall, kSideFace), 32u);
    doc->Undo();
    EXPECT_EQ(WriteDesignBytes(), plain);

    // A refined part is un-refined without a question; the refinement
    // left its wall unmarked, so it is clicked again.
    doc->Redo();
    wall->SetSelected(1);
    asked.clear();
    messages.clear();
    face = refinedTriangle;
    scene->RefineSelection(&face);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(CountPart(*wall, kSideFace), 2u);
    EXPECT_EQ(messages, std::vector<std::string>{kDone});
    doc->Undo();
    EXPECT_EQ(WriteDesignBytes(), refined);
}

TEST_F(DesignSceneRefineTest, SelectionRulesFollowTheSurfaceLists) {
    // An unselected wall without refine records ahead of the selected one
    // stops the walls: the selected floor is refined instead.
    auto bare = std::make_unique<CWallObject>();
    scene->Objects(kWallObjectType).insert(scene->Objects(kWallObjectType).begin(), bare.get());
    CFloorObject* floor = scene->AddFloorFromOutline({{0, 0}, {0, 300}, {400, 300}, {400, 0}});
    ASSERT_NE(floor, nullptr);
    scene->SelectObject(kFloorObjectType, floor);
    floor->SetSelected(1);
    int face = 0;
    scene->RefineSelection(&face);
    scene->Objects(kWallObjectType).erase(scene->Objects(kWallObjectType).begin());
    EXPECT_EQ(CountPart(*wall, 0), 2u);
    EXPECT_GT(CountPart(*floor, 0), 2u);

    // Nothing selected: the command is disabled and does nothing.
    scene->DeselectAll(kWallObjectType);
    scene->DeselectAll(kFloorObjectType);
    wall->SetSelected(0);
    floor->SetSelected(0);
    EXPECT_EQ(scene->IsSelectionRefined(0), std::nullopt);
    asked.clear();
    EXPECT_FALSE(scene->RefineSelectedOfType(kWallObjectType, &face));
    EXPECT_TRUE(asked.empty());
}

// A design whose face holds the largest level opens at once: the level is
// kept, the refinement it cannot hold is refused with a message.
TEST_F(DesignSceneRefineTest, DesignWithTheLargestLevelOpensInBoundedTime) {
    wall->SetFaceRefineFlag(kSideFace, 1, INT_MAX);
    ASSERT_EQ(wall->GetRefineRecords()[kSideFace].flag, 1);
    const std::string bytes = WriteDesignBytes();
    messages.clear();

    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Read(bytes));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    ASSERT_EQ(scene->Objects(kWallObjectType).size(), 1u);
    const auto* read = static_cast<const CWallObject*>(scene->Objects(kWallObjectType)[0]);
    EXPECT_EQ(read->GetRefineRecords()[kSideFace].level, INT_MAX);
    EXPECT_EQ(CountPart(*read, kSideFace), 2u);
    EXPECT_EQ(messages, std::vector<std::string>{"模型的點或面太多無法產生"});
    EXPECT_EQ(WriteDesignBytes().substr(200), bytes.substr(200));
}
