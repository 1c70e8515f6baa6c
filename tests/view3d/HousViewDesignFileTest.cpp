#include <sys/stat.h>

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FrameFixture.h"
#include "document/ViewPointTable.h"
#include "objects/2DImageShape.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "platform/image/Image.h"
#include "view3d/HousViewDesignFile.h"

namespace {

// A 3D view renderer with its design files, a picture to place in the plan
// and a design path in the program folder.
class HousViewDesignFileTest : public SceneFrameTest {
protected:
    void SetUp() override {
        SceneFrameTest::SetUp();
        // A ground the settings allow, so that opening keeps it as it is.
        doc->Settings().length = 3000;
        doc->Settings().width = 2000;
        doc->Settings().gridGap = 50;
        renderer->OnSize(kWindowWidth, kWindowHeight);
        designFile = std::make_unique<CHousViewDesignFile>(*doc, *renderer);
        image::CImage picture;
        ASSERT_TRUE(picture.Create(3, 2));
        const std::vector<uint8_t> bmp = picture.Encode(image::ImageFormat::Bmp).value();
        picturePath = PathOf("plan.bmp").string();
        WriteBytes(picturePath, std::string(bmp.begin(), bmp.end()));
        designPath = PathOf("house.dg6").string();
    }
    void TearDown() override {
        designFile.reset();
        SceneFrameTest::TearDown();
    }

    CDesignScene& Scene() { return renderer->GetScene(); }
    CHousViewCamera& Camera() { return renderer->GetCamera(); }

    void AddPicture(int32_t x) {
        auto* shape = new C2DImageShape();
        EXPECT_EQ(shape->LoadImageFile(picturePath), S_OK);
        shape->SetNaturalSize(3, 2);
        shape->SetSize(300, 200);
        shape->SetPosition(x, 70);
        Scene().AddObjectIfAbsent(kImageShapeType, shape);
    }

    // A design with a picture, a wall, a camera of its own, wireframe
    // display, a shadow colour, a view point and numbered objects.
    void MakeDesign() {
        AddPicture(-50);
        auto* wall = new CWallObject();
        wall->SetNumber(3);
        wall->SetDevice(renderer->GetEngine().GetDevice());
        wall->SetOutline({{0, 0}, {0, 100}, {100, 100}, {100, 0}});
        ASSERT_NE(wall->BuildMesh(1, 250.0f), 0);
        wall->SetUniformScale(1.0f);
        wall->UpdatePlanOutline();
        Scene().AddObjectIfAbsent(kWallObjectType, wall);
        Camera().SetCameraAngles(0.5, 0.25);
        Camera().SetCameraPosition({10.0f, 20.0f, -300.0f});
        Camera().UpdateCamera();
        renderer->SetWireframe(true);
        designFile->GetFileState().SetShadowColor({0.1f, 0.2f, 0.3f, 0.5f});
        std::vector<std::shared_ptr<ViewPointRecord>> points = {
            std::make_shared<ViewPointRecord>(ViewPointRecord{"客廳", 1, 2, 3, 0.5f, 0.25f})};
        designFile->GetFileState().SetViewPointTable(PackViewPoints(points));
        Scene().SetObjectIdCounter(42.0);
        doc->SetDesignModified(1);
    }

    // Another design in the view: nothing of the saved one is left to find.
    void MakeOtherDesign() {
        Scene().ClearScene();
        Scene().DeletePlanShapes();
        AddPicture(5);
        AddPicture(6);
        renderer->ResetCamera();
        designFile->GetFileState().SetShadowColor(CHousViewFileState::kInitialShadowColor);
        designFile->GetFileState().SetViewPointTable({});
        Scene().SetObjectIdCounter(7.0);
        doc->SetDesignPath(PathOf("other.dg6").string());
        doc->SetDesignModified(1);
    }

    std::string SaveAs(const std::string& path) {
        chosenFile = path;
        EXPECT_TRUE(designFile->SaveDesign(0));
        return ReadBytes(path);
    }

    std::string Bytes(std::string_view name) const { return ReadBytes(PathOf(std::string(name))); }

    bool Mentions(std::string_view text) const {
        return messages.size() == 1 && messages[0].find(text) != std::string::npos;
    }

    std::unique_ptr<CHousViewDesignFile> designFile;
    std::string picturePath;
    std::string designPath;
};

TEST_F(HousViewDesignFileTest, SavedDesignOpensAgainAsItWasSavedAndWritesTheSameBytes) {
    MakeDesign();
    const std::string saved = SaveAs(designPath);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_TRUE(fileRequests[0].save);
    EXPECT_EQ(fileRequests[0].filter, "QVP6 Design File (*.dg6)|*.dg6||");
    EXPECT_EQ(fileRequests[0].defaultName, "default.dg6");
    EXPECT_EQ(doc->GetDesignPath(), designPath);
    EXPECT_EQ(doc->GetDesignModified(), 0);
    EXPECT_EQ(doc->GetSaving(), 0);
    EXPECT_EQ(doc->GetBusy(), 0);
    // The open dialog's preview beside the design.
    image::CImage thumbnail;
    ASSERT_TRUE(thumbnail.Load(PathOf("house.bmp").string(), image::ImageFormat::Bmp));
    EXPECT_EQ(thumbnail.GetWidth(), 256);
    EXPECT_EQ(thumbnail.GetHeight(), 192);

    MakeOtherDesign();
    ASSERT_TRUE(designFile->LoadDesign(designPath, false));
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(Scene().Objects(kImageShapeType).size(), 1u);
    EXPECT_EQ(static_cast<C2DImageShape*>(Scene().Objects(kImageShapeType)[0])->GetPosition().x,
              -50.0);
    // The wall's mesh is built on the device the view draws with.
    ASSERT_EQ(Scene().Objects(kWallObjectType).size(), 1u);
    const auto* wall = static_cast<const CWallObject*>(Scene().Objects(kWallObjectType)[0]);
    EXPECT_EQ(wall->GetName(), "牆-3");
    EXPECT_EQ(wall->GetDevice(), renderer->GetEngine().GetDevice());
    ASSERT_NE(wall->GetMesh(), nullptr);
    const gfx::Vector3 eye = Camera().GetCameraPosition();
    EXPECT_EQ(eye.x, 10.0f);
    EXPECT_EQ(eye.y, 20.0f);
    EXPECT_EQ(eye.z, -300.0f);
    EXPECT_FLOAT_EQ(Camera().GetCameraHeading(), 0.5f);
    EXPECT_FLOAT_EQ(Camera().GetCameraPitch(), 0.25f);
    EXPECT_TRUE(renderer->IsWireframe());
    const std::vector<std::shared_ptr<ViewPointRecord>> points =
        UnpackViewPoints(designFile->GetFileState().GetViewPointTable());
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0]->name, "客廳");
    EXPECT_EQ(designFile->GetFileState().GetShadowColor(), (ShadowColor{0.1f, 0.2f, 0.3f, 0.5f}));
    EXPECT_EQ(Scene().GetObjectIdCounter(), 42.0);
    EXPECT_EQ(doc->GetDesignPath(), designPath);
    EXPECT_EQ(doc->GetDesignModified(), 0);
    EXPECT_EQ(doc->GetBusy(), 0);

    // What was opened is saved again byte for byte.
    ASSERT_TRUE(designFile->SaveDesign(1));
    EXPECT_TRUE(ReadBytes(designPath) == saved);
}

TEST_F(HousViewDesignFileTest, EachSaveMovesTheBackupsOnWhenTheSettingsKeepThem) {
    doc->Settings().saveCopy = 2;
    std::vector<std::string> versions;
    for (double counter : {1.0, 2.0, 3.0}) {
        Scene().SetObjectIdCounter(counter);
        versions.push_back(SaveAs(designPath));
    }
    EXPECT_EQ(Bytes("house.bak"), versions[1]);
    EXPECT_EQ(Bytes("house.bak1"), versions[0]);
    EXPECT_FALSE(std::filesystem::exists(PathOf("house.bak2")));

    doc->Settings().autoBack = 0;
    Scene().SetObjectIdCounter(4.0);
    const std::string fourth = SaveAs(designPath);
    EXPECT_NE(fourth, versions[2]);
    EXPECT_EQ(Bytes("house.bak"), versions[1]);
    EXPECT_EQ(Bytes("house.bak1"), versions[0]);
}

TEST_F(HousViewDesignFileTest, FailedSaveLeavesTheFileItsBackupsAndTheModifiedFlag) {
    doc->Settings().saveCopy = 2;
    for (double counter : {1.0, 2.0, 3.0}) {
        Scene().SetObjectIdCounter(counter);
        SaveAs(designPath);
    }
    const std::string missingFolder = PathOf("gone/house.dg6").string();
    const struct {
        const char* what;
        int mode;
        std::string target;
        std::string_view message;
        bool readOnly;
        rlim_t sizeLimit;
    } cases[] = {
        {"save as into a folder that does not exist", 0, missingFolder, missingFolder, false, 0},
        {"read-only design", 1, designPath, "唯讀", true, 0},
        {"disk full", 1, designPath, "無法儲存", false, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        Scene().SetObjectIdCounter(99.0);
        doc->SetDesignModified(1);
        const std::string design = Bytes("house.dg6");
        const std::string newest = Bytes("house.bak");
        const std::string older = Bytes("house.bak1");
        const auto entries = std::distance(std::filesystem::directory_iterator(PathOf("")),
                                           std::filesystem::directory_iterator());
        if (c.readOnly) {
            chmod(designPath.c_str(), 0444);
        }
        chosenFile = c.target;
        {
            std::unique_ptr<ScopedFileSizeLimit> limit;
            if (c.sizeLimit > 0) {
                limit = std::make_unique<ScopedFileSizeLimit>(c.sizeLimit);
            }
            EXPECT_FALSE(designFile->SaveDesign(c.mode));
        }
        chmod(designPath.c_str(), 0644);
        EXPECT_TRUE(Mentions(c.message)) << (messages.empty() ? "" : messages[0]);
        EXPECT_EQ(Bytes("house.dg6"), design);
        EXPECT_EQ(Bytes("house.bak"), newest);
        EXPECT_EQ(Bytes("house.bak1"), older);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathOf("")),
                                std::filesystem::directory_iterator()),
                  entries);
        EXPECT_EQ(doc->GetDesignPath(), designPath);
        EXPECT_EQ(doc->GetDesignModified(), 1);
        EXPECT_EQ(doc->GetSaving(), 0);
        EXPECT_EQ(doc->GetBusy(), 0);
    }
}

TEST_F(HousViewDesignFileTest, RefusedFileLeavesTheOpenDesignItsPathAndItsFlags) {
    MakeDesign();
    const std::string good = SaveAs(designPath);
    std::string newer = good;
    const auto version = std::bit_cast<uint32_t>(6.06f);
    for (int i = 0; i < 4; ++i) {
        newer[i] = static_cast<char>((version >> (8 * i)) & 0xFF);
    }
    WriteBytes(PathOf("newer.dg6"), newer);
    WriteBytes(PathOf("cut.dg6"), good.substr(0, good.size() / 2));
    std::filesystem::create_directory(PathOf("folder.dg6"));
    MakeOtherDesign();

    const struct {
        const char* file;
        bool merge;
        std::string_view message;
    } cases[] = {
        {"newer.dg6", false, "設計案版本比程式版本還新"},
        {"newer.dg6", true, "設計案版本比程式版本還新"},
        {"cut.dg6", false, "設計案檔案已損壞"},
        {"missing.dg6", false, "missing.dg6"},
        {"folder.dg6", false, "folder.dg6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        messages.clear();
        const std::vector<CDesignObject*> pictures = Scene().Objects(kImageShapeType);
        const gfx::Vector3 eye = Camera().GetCameraPosition();
        EXPECT_FALSE(designFile->LoadDesign(PathOf(c.file).string(), c.merge));
        EXPECT_TRUE(Mentions(c.message)) << (messages.empty() ? "" : messages[0]);
        EXPECT_EQ(Scene().Objects(kImageShapeType), pictures);
        EXPECT_EQ(Camera().GetCameraPosition().z, eye.z);
        EXPECT_FALSE(renderer->IsWireframe());
        EXPECT_EQ(designFile->GetFileState().GetViewPointTable(), ViewPointTable{});
        EXPECT_EQ(Scene().GetObjectIdCounter(), 7.0);
        EXPECT_EQ(doc->GetDesignPath(), PathOf("other.dg6").string());
        EXPECT_EQ(doc->GetDesignModified(), 1);
        EXPECT_EQ(doc->GetBusy(), 0);
        EXPECT_EQ(doc->Settings().showMirror, 1);
    }
}

TEST_F(HousViewDesignFileTest, AddedDesignNeverTakesTheObjectIdCounterBack) {
    const struct {
        double open;
        double file;
        double after;
    } cases[] = {{500.0, 42.0, 500.0}, {10.0, 900.0, 900.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.open);
        Scene().ClearScene();
        Scene().DeletePlanShapes();
        AddPicture(1);
        Scene().SetObjectIdCounter(c.file);
        SaveAs(designPath);

        AddPicture(2);
        Scene().SetObjectIdCounter(c.open);
        doc->SetDesignModified(0);
        ASSERT_TRUE(designFile->LoadDesign(designPath, true));
        EXPECT_EQ(Scene().GetObjectIdCounter(), c.after);
        EXPECT_EQ(Scene().Objects(kImageShapeType).size(), 3u);
        EXPECT_EQ(doc->GetDesignModified(), 1);
    }
    // Opened in place of the design, the file's own counter holds.
    ASSERT_TRUE(designFile->LoadDesign(designPath, false));
    EXPECT_EQ(Scene().GetObjectIdCounter(), 900.0);
    EXPECT_EQ(Scene().Objects(kImageShapeType).size(), 1u);
}

TEST_F(HousViewDesignFileTest, OpeningInAnOrthographicPresetReturnsToPerspective) {
    MakeDesign();
    SaveAs(designPath);
    Camera().SetOrthoView(5);
    ASSERT_EQ(Camera().IsOrthoOn(), 1);
    ASSERT_TRUE(designFile->LoadDesign(designPath, false));
    EXPECT_EQ(Camera().IsOrthoOn(), 0);
    EXPECT_EQ(Camera().GetCameraPosition().z, -300.0f);
}

}  // namespace
