#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "DesignFileFixture.h"
#include "foundation/Vector2D.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "support/RecordingProgress.h"

namespace {

constexpr std::size_t kPoints = 4000;
constexpr std::size_t kWholeCapIndices = 3 * (kPoints - 2);

// A crescent of kPoints plan points, clockwise on the plan: its cap takes
// long enough to ask the read to go on several times.
std::vector<CVector2D> CrescentOutline() {
    std::vector<CVector2D> outline;
    const std::size_t half = kPoints / 2;
    for (std::size_t i = 0; i < half; ++i) {
        const double t = -std::numbers::pi / 2 + std::numbers::pi * i / half;
        outline.emplace_back(1000 + 500 * std::cos(t), 1000 - 500 * std::sin(t));
    }
    for (std::size_t i = 0; i < half; ++i) {
        const double t = std::numbers::pi / 2 - std::numbers::pi * i / half;
        outline.emplace_back(1000 + 200 * std::cos(t), 1000 - 500 * std::sin(t));
    }
    return outline;
}

class DesignFileLongFloorTest : public DesignFileTest {
protected:
    std::string LongFloorDesign() {
        EXPECT_NE(scene->AddFloorFromOutline(CrescentOutline()), nullptr);
        const std::string bytes = WriteDesignBytes();
        EXPECT_EQ(CapIndices(), std::vector<std::size_t>{kWholeCapIndices});
        return bytes;
    }

    std::vector<std::size_t> CapIndices() {
        std::vector<std::size_t> counts;
        for (const CDesignObject* floor : scene->Objects(kFloorObjectType)) {
            counts.push_back(static_cast<const CWallObject*>(floor)->GetMeshIndices().size());
        }
        return counts;
    }
};

}  // namespace

TEST_F(DesignFileLongFloorTest, LongCapKeepsTheFloorsProgressWindowResponsiveAndReadsWhole) {
    const std::string bytes = LongFloorDesign();
    RecordingProgress progress;
    ASSERT_TRUE(Read(bytes));
    ASSERT_EQ(progress.windows.size(), 1u);
    EXPECT_GE(progress.windows[0].responsiveCalls, 1);
    EXPECT_TRUE(progress.windows[0].closed);
    EXPECT_EQ(CapIndices(), std::vector<std::size_t>{kWholeCapIndices});
}

TEST_F(DesignFileLongFloorTest, AbortDuringALongCapStopsTheReadAndKeepsTheOpenDesign) {
    const std::string bytes = LongFloorDesign();
    RecordingProgress progress;
    int calls = 0;
    progress.onKeepResponsive = [this, &calls](const RecordingProgress::Window&) {
        ++calls;
        doc->SetAbort(1);
    };
    EXPECT_FALSE(Read(bytes));
    EXPECT_EQ(calls, 1) << "the cap went on after the abort";
    EXPECT_EQ(CapIndices(), std::vector<std::size_t>{kWholeCapIndices});
}
