#include <gtest/gtest.h>

#include <string>

#include "../document/DocumentFixture.h"
#include "objects/2DImageShape.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"
#include "plan2d/PlanPictureInsert.h"

namespace {

// A 2 x 1 picture of 24-bit pixels.
std::string TwoPixelBmp() {
    std::string bytes = "BM";
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
        }
    };
    auto put16 = [&](uint16_t v) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    };
    put32(62);
    put32(0);
    put32(54);
    put32(40);
    put32(2);
    put32(1);
    put16(1);
    put16(24);
    put32(0);
    put32(8);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    bytes += std::string("\x10\x20\x30\x40\x50\x60\0\0", 8);
    return bytes;
}

class PlanPictureInsertTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        doc->Settings().show2DState = -1;
        view3D.eye = {10.5f, 150.0f, -20.5f};
    }

    bool Insert() {
        return InsertPlanPicture(*doc, lastPath, [this] {
            ++showRequests;
            doc->Settings().show2DState |= static_cast<int32_t>(PlanLayer::kPictures);
        });
    }

    std::vector<CDesignObject*>& Pictures() { return scene->Objects(kImageShapeType); }

    std::string lastPath;
    int showRequests = 0;
};

TEST_F(PlanPictureInsertTest, PictureLandsAtTheCameraAsOneUndoStep) {
    WriteBytes(PathOf("room.bmp"), TwoPixelBmp());
    chosenFile = PathOf("room.bmp").string();
    ASSERT_TRUE(Insert());

    ASSERT_EQ(Pictures().size(), 1u);
    const auto* picture = static_cast<const C2DImageShape*>(Pictures()[0]);
    EXPECT_EQ(picture->GetWidth(), 2);
    EXPECT_EQ(picture->GetHeight(), 1);
    EXPECT_EQ(picture->GetNaturalWidth(), 2);
    EXPECT_EQ(picture->GetNaturalHeight(), 1);
    // Halves away from zero; the drawing's y runs down, the 3D z up.
    EXPECT_EQ(picture->GetPosition().x, 11.0);
    EXPECT_EQ(picture->GetPosition().y, 21.0);
    EXPECT_EQ(picture->GetLevelHeight(), scene->GetCurrentFloorHeight());

    const auto& undo = doc->HistoryList(0);
    ASSERT_EQ(undo.size(), 1u);
    EXPECT_EQ(undo[0]->count, 1);
    EXPECT_EQ(undo[0]->objectType, kImageShapeType);
    EXPECT_EQ(undo[0]->operation, kHistoryAdd);
    const auto* added = std::get_if<HistoryObject>(&undo[0]->after);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Get(), Pictures()[0]);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_EQ(doc->GetEditMode(), 0);
    EXPECT_EQ(lastPath, *chosenFile);
    EXPECT_TRUE(messages.empty());

    // The dialog offers every picture format as pairs of description and
    // patterns, and starts in the program folder, then at the last file.
    ASSERT_EQ(fileRequests.size(), 1u);
    const FileNameRequest& first = fileRequests[0];
    EXPECT_FALSE(first.save);
    EXPECT_EQ(first.filter.find('\n'), std::string::npos);
    EXPECT_EQ(first.filter.rfind("bmp Files (*.bmp)|*.bmp|ico Files (*.ico)|*.ico|", 0), 0u);
    EXPECT_TRUE(first.filter.ends_with("|All Files (*.*)|*.*||"));
    EXPECT_EQ(first.folder, doc->GetProgramFolder());
    chosenFile.reset();
    EXPECT_FALSE(Insert());
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_EQ(fileRequests[1].defaultName, "room.bmp");
}

TEST_F(PlanPictureInsertTest, DefaultPictureSizeWhenChosenInTheSettings) {
    doc->Settings().chkMapSize = 1;
    doc->Settings().mapWidth = 120;
    doc->Settings().mapHeight = 80;
    WriteBytes(PathOf("room.bmp"), TwoPixelBmp());
    chosenFile = PathOf("room.bmp").string();
    ASSERT_TRUE(Insert());
    ASSERT_EQ(Pictures().size(), 1u);
    const auto* picture = static_cast<const C2DImageShape*>(Pictures()[0]);
    EXPECT_EQ(picture->GetWidth(), 120);
    EXPECT_EQ(picture->GetHeight(), 80);
    EXPECT_EQ(picture->GetNaturalWidth(), 120);
}

TEST_F(PlanPictureInsertTest, HiddenPicturesAreShownFirst) {
    doc->Settings().show2DState = 0;
    chosenFile.reset();
    EXPECT_FALSE(Insert());
    EXPECT_EQ(showRequests, 1);
}

// Whatever goes wrong, the plan leaves the picture mode and nothing of the
// picture is left behind.
TEST_F(PlanPictureInsertTest, CancelOrUnreadablePictureLeavesNothingAndEndsTheMode) {
    WriteBytes(PathOf("broken.png"), "not a picture at all");
    std::string emptyBmp = TwoPixelBmp();
    emptyBmp[18] = 0;  // width 0
    emptyBmp[22] = 0;  // height 0
    WriteBytes(PathOf("empty.bmp"), emptyBmp);
    WriteBytes(PathOf("notes.xyz"), "text");
    const struct {
        std::optional<std::string> file;
        bool reported;
    } cases[] = {{std::nullopt, false},
                 {PathOf("broken.png").string(), true},
                 {PathOf("empty.bmp").string(), true},
                 {PathOf("missing.jpg").string(), true},
                 {PathOf("notes.xyz").string(), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.value_or("cancel"));
        messages.clear();
        chosenFile = c.file;
        doc->SetEditMode(20);
        EXPECT_FALSE(Insert());
        EXPECT_EQ(doc->GetEditMode(), 0);
        EXPECT_TRUE(Pictures().empty());
        EXPECT_TRUE(doc->HistoryList(0).empty());
        EXPECT_EQ(doc->GetDesignModified(), 0);
        EXPECT_EQ(messages.size(), c.reported ? 1u : 0u);
    }
}

}  // namespace
