#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <variant>
#include <vector>

#include "DocumentFixture.h"
#include "document/DesignScene.h"
#include "document/PlanFacingAngle.h"
#include "document/ScreenDragOffset.h"
#include "foundation/GeometryMath.h"
#include "foundation/WallFaceItem.h"
#include "objects/2DImageShape.h"
#include "objects/2DPictureShape.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "objects/WallObject.h"

namespace {

constexpr const char* kLockMessage = "天花板/牆/地板移動鎖定中, 不可移動或轉動";

// Windows virtual-key codes.
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kComma = 188;
constexpr int kPeriod = 190;

constexpr float kTolerance = 1e-4f;

void ExpectNear(const gfx::Vector3& actual, const gfx::Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

void ExpectNear(const std::array<float, 6>& actual, const std::array<float, 6>& expected) {
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], kTolerance) << "value " << i;
    }
}

// A photo that hangs in front of the camera.
class CameraPhoto : public CTest3DObject {
public:
    CameraPhoto() : CTest3DObject(kPhotoObjectType) {}
    int IsCameraAttached() const override { return 1; }
};

// A photo that turns to whoever looks at it.
class FacingPhoto : public CTest3DObject {
public:
    FacingPhoto() : CTest3DObject(kPhotoObjectType) {}
    int IsFacingViewer() const override { return 1; }
};

class DesignSceneEditingTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        doc->Settings().wallLock = 0;
    }

    // The scene owns what it lists.
    template <class Object>
    Object* Add(std::unique_ptr<Object> object, int type, bool select = true) {
        Object* added = object.get();
        scene->AddObjectIfAbsent(type, object.release());
        if (select) {
            scene->SelectObject(type, added);
        }
        return added;
    }

    CTest3DObject* AddBox(int type, const gfx::Vector3& position, bool select = true) {
        auto object = std::make_unique<CTest3DObject>(type);
        object->MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
        object->SetPositionVector(position);
        return Add(std::move(object), type, select);
    }

    C2DPictureShape* AddSymbol(int type) {
        std::unique_ptr<CDesignObject> made = CreateDesignObject(type);
        return Add(std::unique_ptr<C2DPictureShape>(static_cast<C2DPictureShape*>(made.release())),
                   type);
    }

    void SetWallBar(const char* top, const char* bottom) {
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, top);
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, bottom);
        planView.frame.SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
    }

    static std::vector<CVector2D> Square() {
        return {{100, 200}, {400, 200}, {400, 500}, {100, 500}};
    }
};

}  // namespace

TEST_F(DesignSceneEditingTest, WallLockRefusesTheWholeMoveWhenASurfaceIsSelected) {
    const struct {
        int lock;
        int surfaceType;  // -1: no surface selected
        bool moves;
    } cases[] = {
        {1, kWallObjectType, false},    {1, kFloorObjectType, false},
        {1, kCeilingObjectType, false}, {1, -1, true},
        {0, kWallObjectType, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "lock " << c.lock << " surface " << c.surfaceType);
        scene->ClearScene();
        scene->ClearSelection();
        messages.clear();
        planView.dragsEnded = 0;
        doc->SetDesignModified(0);
        doc->Settings().wallLock = c.lock;
        CTest3DObject* model = AddBox(kModelObjectType, {0, 0, 0});
        CTest3DObject* surface = c.surfaceType >= 0 ? AddBox(c.surfaceType, {50, 0, 50}) : nullptr;
        C2DPictureShape* icon = AddSymbol(kDxfIconShapeType);
        const CVector2D iconBefore = icon->GetPosition();

        scene->TransformSelection(scene->GetKeyboardNudge(kUp, 2, {}));

        const float moved = c.moves ? 30.0f : 0.0f;
        ExpectNear(model->GetPosition(), {0, 0, moved});
        if (surface != nullptr) {
            ExpectNear(surface->GetPosition(), {50, 0, 50 + moved});
        }
        EXPECT_EQ(icon->GetPosition().y, iconBefore.y - moved);
        EXPECT_EQ(doc->GetDesignModified(), c.moves ? 1 : 0);
        EXPECT_EQ(messages,
                  c.moves ? std::vector<std::string>{} : std::vector<std::string>{kLockMessage});
        // A refused move also ends the plan's drag.
        EXPECT_EQ(planView.dragsEnded, c.moves ? 0 : 1);
    }
}

TEST_F(DesignSceneEditingTest, MoveToHeightIsRefusedByTheLockToo) {
    doc->Settings().wallLock = 1;
    CTest3DObject* model = AddBox(kModelObjectType, {0, 10, 0});
    AddBox(kFloorObjectType, {0, 0, 0});
    scene->MoveSelectionBottomTo(100);
    ExpectNear(model->GetPosition(), {0, 10, 0});
    EXPECT_EQ(messages, std::vector<std::string>{kLockMessage});
}

TEST_F(DesignSceneEditingTest, NudgeStepFollowsTheModifiersAltBeforeShift) {
    const struct {
        KeyModifiers modifiers;
        double walkStep;
        float step;
    } cases[] = {
        {{}, 30.0, 30.0f},
        {{}, 12.5, 12.5f},
        {{.shift = true}, 30.0, 1.0f},
        {{.alt = true}, 30.0, 0.1f},
        {{.shift = true, .alt = true}, 30.0, 0.1f},
    };
    for (const auto& c : cases) {
        doc->SetWalkStep(c.walkStep);
        ExpectNear(scene->GetKeyboardNudge(kHome, 2, c.modifiers), {0, c.step, 0, 0, 0, 0});
        ExpectNear(scene->GetKeyboardNudge(kEnd, 3, c.modifiers), {0, -c.step, 0, 0, 0, 0});
    }
}

TEST_F(DesignSceneEditingTest, NudgeMovesAlongThePlanInMode2AndAlongTheCameraOtherwise) {
    view3D.heading = kPi / 2.0;
    const float turn = static_cast<float>(30.0 * 0.5 * kPi / 180.0);
    const struct {
        int key;
        bool ctrl;
        std::array<float, 6> plan;    // mode 2
        std::array<float, 6> camera;  // mode 3, heading 90 degrees
    } cases[] = {
        {kUp, false, {0, 0, -30, 0, 0, 0}, {30, 0, 0, 0, 0, 0}},
        {kDown, false, {0, 0, 30, 0, 0, 0}, {-30, 0, 0, 0, 0, 0}},
        {kComma, false, {-30, 0, 0, 0, 0, 0}, {0, 0, 30, 0, 0, 0}},
        {kPeriod, false, {30, 0, 0, 0, 0, 0}, {0, 0, -30, 0, 0, 0}},
        {kLeft, false, {0, 0, 0, -turn, 0, 0}, {0, 0, 0, -turn, 0, 0}},
        {kRight, false, {0, 0, 0, turn, 0, 0}, {0, 0, 0, turn, 0, 0}},
        {kPageUp, false, {0, 0, 0, 0, -turn, 0}, {0, 0, 0, 0, -turn, 0}},
        {kPageDown, true, {0, 0, 0, 0, 0, turn}, {0, 0, 0, 0, 0, turn}},
        {65, false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const KeyModifiers modifiers{.ctrl = c.ctrl};
        ExpectNear(scene->GetKeyboardNudge(c.key, 2, modifiers), c.plan);
        ExpectNear(scene->GetKeyboardNudge(c.key, 3, modifiers), c.camera);
    }
    view3D.heading = 0.0;
    ExpectNear(scene->GetKeyboardNudge(kUp, 3, {}), {0, 0, 30, 0, 0, 0});
    ExpectNear(scene->GetKeyboardNudge(kUp, 2, {}), {0, 0, -30, 0, 0, 0});
}

TEST_F(DesignSceneEditingTest, FloorsAndCeilingsTurnOnlyAboutTheVerticalAxis) {
    CTest3DObject* model = AddBox(kModelObjectType, {0, 0, 0});
    CTest3DObject* wall = AddBox(kWallObjectType, {0, 0, 0});
    CTest3DObject* floor = AddBox(kFloorObjectType, {0, 0, 0});
    CTest3DObject* ceiling = AddBox(kCeilingObjectType, {0, 0, 0});
    scene->TransformSelected3DObjects({0, 0, 0, -0.2f, -0.3f, -0.4f});
    for (CTest3DObject* level : {floor, ceiling}) {
        EXPECT_NEAR(level->GetHeading(), 0.2, kTolerance);
        EXPECT_EQ(level->GetElevation(), 0.0);
        EXPECT_EQ(level->GetRoll(), 0.0);
    }
    for (CTest3DObject* free : {model, wall}) {
        EXPECT_NEAR(free->GetHeading(), 0.2, kTolerance);
        EXPECT_NEAR(free->GetElevation(), 0.3, kTolerance);
        EXPECT_NEAR(free->GetRoll(), 0.4, kTolerance);
    }
}

TEST_F(DesignSceneEditingTest, SelectionTurnsAboutItsCommonCentre) {
    CTest3DObject* left = AddBox(kModelObjectType, {-10, 0, 0});
    CTest3DObject* right = AddBox(kModelObjectType, {10, 0, 0});
    AddBox(kModelObjectType, {50, 0, 50}, false);
    ExpectNear(scene->GetSelectionCentre(), {0, 0, 0});
    scene->TransformSelected3DObjects({0, 0, 0, static_cast<float>(-kPi), 0, 0});
    ExpectNear(left->GetPosition(), {10, 0, 0});
    ExpectNear(right->GetPosition(), {-10, 0, 0});
    EXPECT_EQ(doc->GetDesignModified(), 1);
}

TEST_F(DesignSceneEditingTest, DoorModelInASelectedWallIsNotMovedTwice) {
    auto made = std::make_unique<CWallObject>();
    made->SetOutline(Square());
    ASSERT_EQ(made->BuildMesh(1, 280.0f), 1);
    made->SetUniformScale(1.0f);
    made->SetPosition(0, 0, 0);
    CWallObject* wall = Add(std::move(made), kWallObjectType);
    CTest3DObject* door = AddBox(kModelObjectType, {5, 0, 0});
    CTest3DObject* chair = AddBox(kModelObjectType, {50, 0, 0});
    auto opening = std::make_unique<WallFaceItem>(2, 1, WallFaceItem::kRectangle);
    opening->SetCorners({100, 0}, {190, 210});
    // The door model class is not linked here; the opening names it by address.
    opening->model2 = reinterpret_cast<CModelObject*>(door);
    wall->AddFaceItem(std::move(opening));

    EXPECT_TRUE(CDesignScene::IsInOpeningOfSurfaces(scene->Selected(kWallObjectType), door));
    EXPECT_FALSE(CDesignScene::IsInOpeningOfSurfaces(scene->Selected(kWallObjectType), chair));

    scene->TransformSelected3DObjects({10, 0, 0, 0, 0, 0});
    ExpectNear(wall->GetPosition(), {10, 0, 0});
    // The wall places the door in its opening, where the moved wall has it.
    ExpectNear(door->LocalToWorld({0, 0, 0}), wall->FacePointToWorld(2, 145, 105, 0));
    ExpectNear(chair->GetPosition(), {60, 0, 0});

    // With its wall unselected the door is moved like any model.
    const gfx::Vector3 placed = door->GetPosition();
    scene->DeselectObject(kWallObjectType, wall);
    scene->TransformSelected3DObjects({10, 0, 0, 0, 0, 0});
    ExpectNear(door->GetPosition(), placed + gfx::Vector3{10, 0, 0});
}

TEST_F(DesignSceneEditingTest, TransformDoesNothingWhileTheDocumentIsBusy) {
    CTest3DObject* model = AddBox(kModelObjectType, {0, 0, 0});
    doc->SetBusy(1);
    scene->TransformSelection({10, 0, 10, 0, 0, 0});
    ExpectNear(model->GetPosition(), {0, 0, 0});
    doc->SetBusy(0);
    scene->TransformSelection({10, 0, 10, 0, 0, 0});
    ExpectNear(model->GetPosition(), {10, 0, -10});
    EXPECT_EQ(doc->GetBusy(), 0);
}

TEST_F(DesignSceneEditingTest, PlanShapesMoveUnlessLockedOrInAGroup) {
    C2DPictureShape* free = AddSymbol(kDxfIconShapeType);
    C2DPictureShape* member = AddSymbol(kDxfIconShapeType);
    CDesignObject group;
    member->SetParent(&group);
    auto* picture = static_cast<C2DImageShape*>(AddSymbol(kImageShapeType));
    auto* locked = static_cast<C2DImageShape*>(AddSymbol(kImageShapeType));
    locked->SetMoveLock(1);

    scene->MovePlanShapes(0, 0);
    EXPECT_EQ(doc->GetDesignModified(), 0);
    scene->MovePlanShapes(3, -4);
    EXPECT_EQ(free->GetPosition(), CVector2D(3, -4));
    EXPECT_EQ(picture->GetPosition(), CVector2D(3, -4));
    EXPECT_EQ(member->GetPosition(), CVector2D(0, 0));
    EXPECT_EQ(locked->GetPosition(), CVector2D(0, 0));
    EXPECT_EQ(doc->GetDesignModified(), 1);
    // The plan's merged lines of each moved kind are dropped.
    EXPECT_EQ(planView.invalidatedCaches, (std::vector<int>{kDxfIconShapeType, kImageShapeType}));
    member->SetParent(nullptr);
}

TEST_F(DesignSceneEditingTest, SelectionBottomMovesToTheHeightAsked) {
    EXPECT_EQ(scene->GetSelectionBottom(), 1e10f);
    CTest3DObject* low = AddBox(kModelObjectType, {0, 20, 0});
    CTest3DObject* high = AddBox(kLightObjectType, {0, 70, 0});
    AddBox(kModelObjectType, {0, 5, 0}, false);
    EXPECT_EQ(scene->GetSelectionBottom(), 20.0f);
    scene->MoveSelectionBottomTo(100);
    ExpectNear(low->GetPosition(), {0, 100, 0});
    ExpectNear(high->GetPosition(), {0, 150, 0});
}

TEST_F(DesignSceneEditingTest, BoundsLeaveOutLightsAndCameraPhotos) {
    gfx::Vector3 min;
    gfx::Vector3 max;
    EXPECT_FALSE(scene->GetSceneBounds(&min, &max));
    AddBox(kModelObjectType, {0, 0, 0}, false);
    AddBox(kWallObjectType, {10, 5, 0});
    AddBox(kLightObjectType, {100, 100, 100});
    auto photo = std::make_unique<CameraPhoto>();
    photo->MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
    photo->SetPosition(-100, 0, 0);
    Add(std::move(photo), kPhotoObjectType);

    ASSERT_TRUE(scene->GetSceneBounds(&min, &max));
    ExpectNear(min, {-1, -1, -1});
    ExpectNear(max, {11, 6, 1});
    ASSERT_TRUE(scene->GetSelectionBounds(&min, &max));
    ExpectNear(min, {9, 4, -1});
    ExpectNear(max, {11, 6, 1});
}

TEST(ScreenDragOffsetTest, OffsetFollowsHeadingAndGrowsWithDistance) {
    const struct {
        gfx::Vector3 eye;
        double heading;
        POINT cursor;
        double sideways;
        double forward;
    } cases[] = {
        {{0, 0, -600}, 0.0, {110, 100}, 10, 0},
        {{0, 0, -1200}, 0.0, {110, 100}, 20, 0},
        {{0, 0, -600}, kPi / 2.0, {110, 100}, 0, 10},
        {{0, 0, -600}, 0.0, {100, 110}, 0, 10},
        // Seen from below the ground, forward turns round.
        {{0, -600, 0}, 0.0, {100, 110}, 0, -10},
    };
    for (const auto& c : cases) {
        const PlanDragOffset offset =
            ScreenDragToWorldOffset({0, 0, 0}, c.eye, c.heading, {100, 100}, c.cursor);
        EXPECT_NEAR(offset.sideways, c.sideways, 1e-9);
        EXPECT_NEAR(offset.forward, c.forward, 1e-9);
    }
}

TEST_F(DesignSceneEditingTest, DragMovesTheSelectionFromTheSecondCall) {
    CTest3DObject* model = AddBox(kModelObjectType, {0, 0, 0});
    view3D.eye = {0, 0, -600};
    SelectionDrag drag;

    scene->DragSelection(drag, kMouseLeftButton, 100, 100);
    EXPECT_FALSE(drag.started);  // nothing picked

    doc->SetPickedObject(CHousDoc::PickedKind::Model, model);
    scene->DragSelection(drag, 0, 100, 100);
    EXPECT_FALSE(drag.started);
    scene->DragSelection(drag, kMouseLeftButton, 100, 100);
    EXPECT_TRUE(drag.started);
    EXPECT_FALSE(drag.moved);
    ExpectNear(model->GetPosition(), {0, 0, 0});

    scene->DragSelection(drag, kMouseLeftButton, 110, 120);
    EXPECT_TRUE(drag.moved);
    EXPECT_EQ(drag.anchor.x, 110);
    EXPECT_EQ(drag.anchor.y, 120);
    ExpectNear(model->GetPosition(), {10, 0, -20});
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_EQ(view3D.hints, std::vector<int>{kFullRefreshHint});
}

TEST_F(DesignSceneEditingTest, OutlineOfFewerThanThreePointsAddsNothing) {
    SetWallBar("260", "0");
    for (const std::vector<CVector2D>& points :
         {std::vector<CVector2D>{}, std::vector<CVector2D>{{0, 0}, {100, 0}}}) {
        EXPECT_EQ(scene->AddWallFromOutline(points), nullptr);
        EXPECT_EQ(scene->AddFloorFromOutline(points), nullptr);
        EXPECT_EQ(scene->AddCeilingFromOutline(points), nullptr);
    }
    for (const int type : {kWallObjectType, kFloorObjectType, kCeilingObjectType}) {
        EXPECT_TRUE(scene->Objects(type).empty());
    }
    EXPECT_TRUE(doc->HistoryList(0).empty());
    EXPECT_TRUE(view3D.hints.empty());
    EXPECT_EQ(scene->GetObjectIdCounter(), 0.0);
}

TEST_F(DesignSceneEditingTest, SurfacesRiseFromTheOutlineWithTheirColoursAndLevel) {
    HousSettings& settings = doc->Settings();
    settings.wallColor = draw::Rgb(1, 0, 0);
    settings.wallBrushColor = draw::Rgb(2, 0, 0);
    settings.floorColor = draw::Rgb(3, 0, 0);
    settings.floorBrushColor = draw::Rgb(4, 0, 0);
    settings.ceilingColor = draw::Rgb(5, 0, 0);
    settings.ceilingBrushColor = draw::Rgb(6, 0, 0);
    SetWallBar("260", "20");
    const struct {
        int type;
        float level;
        draw::COLORREF line;
        draw::COLORREF fill;
    } cases[] = {
        {kWallObjectType, 20, draw::Rgb(1, 0, 0), draw::Rgb(2, 0, 0)},
        {kFloorObjectType, 20, draw::Rgb(3, 0, 0), draw::Rgb(4, 0, 0)},
        {kCeilingObjectType, 260, draw::Rgb(5, 0, 0), draw::Rgb(6, 0, 0)},
    };
    double number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CWallObject* added = nullptr;
        if (c.type == kWallObjectType) {
            added = scene->AddWallFromOutline(Square());
        } else if (c.type == kFloorObjectType) {
            added = scene->AddFloorFromOutline(Square());
        } else {
            added = scene->AddCeilingFromOutline(Square());
        }
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->GetType(), c.type);
        EXPECT_EQ(added->GetObjectNumber(), ++number);
        ExpectNear(added->GetPosition(), {100, c.level, 200});
        EXPECT_EQ(added->GetColor(), c.line);
        EXPECT_EQ(added->GetFillColour(), c.fill);
        EXPECT_EQ(scene->Objects(c.type), std::vector<CDesignObject*>{added});

        const HistoryRecord& record = *doc->HistoryList(0).back();
        EXPECT_EQ(record.count, 1);
        EXPECT_EQ(record.objectType, c.type);
        EXPECT_EQ(record.operation, kHistoryAdd);
        EXPECT_EQ(record.value, -1);
        ASSERT_TRUE(std::holds_alternative<HistoryObject>(record.after));
        EXPECT_EQ(std::get<HistoryObject>(record.after).Get(), added);
        EXPECT_EQ(view3D.hints.back(), kFullRefreshHint);
    }
    // The floor made a storey, which the plan's floor combo shows.
    EXPECT_EQ(planView.frame.floorTexts, std::vector<std::string>{"第1層"});
}

TEST_F(DesignSceneEditingTest, AddedWallIsUndoneAndRedone) {
    SetWallBar("260", "0");
    CWallObject* wall = scene->AddWallFromOutline(Square());
    ASSERT_NE(wall, nullptr);
    doc->Undo();
    EXPECT_TRUE(scene->Objects(kWallObjectType).empty());
    doc->Redo();
    EXPECT_EQ(scene->Objects(kWallObjectType), std::vector<CDesignObject*>{wall});
}

TEST_F(DesignSceneEditingTest, WallBarWithoutFiniteHeightsAddsNothing) {
    SetWallBar("inf", "0");
    EXPECT_EQ(scene->AddWallFromOutline(Square()), nullptr);
    EXPECT_TRUE(scene->Objects(kWallObjectType).empty());
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(DesignSceneEditingTest, RefreshGivesSymbolsTheirOwnersHeight) {
    CTest3DObject* model = AddBox(kModelObjectType, {0, 75, 0});
    std::unique_ptr<CDesignObject> made = CreateDesignObject(kModelIconShapeType);
    model->SetPlanIcon(
        std::unique_ptr<C2DPictureShape>(static_cast<C2DPictureShape*>(made.release())));
    scene->RefreshObjectsAndSymbols();
    EXPECT_EQ(model->GetPlanIcon()->GetLevelHeight(), 75.0);
}

TEST_F(DesignSceneEditingTest, OnlyPhotosThatTurnToTheViewerFaceTheCamera) {
    auto* facing = new FacingPhoto();
    facing->SetPosition(100.0f, 0.0f, -100.0f);
    auto* fixed = new CTest3DObject(kPhotoObjectType);
    fixed->SetPosition(300.0f, 0.0f, -100.0f);
    fixed->SetRotation(0.5f, 0.0f, 0.0f);
    scene->AddObjectIfAbsent(kPhotoObjectType, facing);
    scene->AddObjectIfAbsent(kPhotoObjectType, fixed);

    const gfx::Vector3 eye = {100.0f, 150.0f, -600.0f};
    scene->TurnPhotosToCamera(eye);
    EXPECT_FLOAT_EQ(static_cast<float>(facing->GetHeading()),
                    PlanFacingAngle(facing->GetPosition(), eye));
    EXPECT_FLOAT_EQ(static_cast<float>(fixed->GetHeading()), 0.5f);
}
