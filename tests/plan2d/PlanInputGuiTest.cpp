#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "../document/DocumentFixture.h"
#include "PlanWindow.h"
#include "document/EditMode.h"
#include "objects/2DLightIconShape.h"
#include "objects/2DModelIconShape.h"
#include "objects/2DPhotoIconShape.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"
#include "objects/Test3DObject.h"
#include "objects/WallObject.h"
#include "plan2d/CoordInputBox.h"
#include "plan2d/H2DChild.h"
#include "plan2d/H2DView.h"
#include "plan2d/OutlineCapture.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

// The real plan frame in a top-level window with a status bar; the 3D side
// is a fake with a scene store.
class PlanInputGuiTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        doc->Attach2DView(nullptr);
        plan.Open(*doc, true);
        window = plan.window;
        child = plan.child;
        view = plan.view;
        view->OnInitialUpdate();
        // Thin walls from floor level to 260 on the wall bar.
        doc->SetWallValues(130.0, 0.0, 0.0);
        doc->UpdateWallBarFields();
    }
    void TearDown() override {
        plan.Close();
        SceneTest::TearDown();
    }

    bool Mouse(wxEventType type, int x, int y, bool leftHeld = false) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(x, y));
        event.SetEventObject(view);
        event.m_leftDown = leftHeld || type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK;
        return view->GetEventHandler()->ProcessEvent(event);
    }
    void Click(int x, int y) {
        Mouse(wxEVT_MOTION, x, y);
        Mouse(wxEVT_LEFT_DOWN, x, y);
        Mouse(wxEVT_LEFT_UP, x, y);
    }
    void CtrlClick(int x, int y) {
        Mouse(wxEVT_MOTION, x, y);
        wxMouseEvent press(wxEVT_LEFT_DOWN);
        press.SetPosition(wxPoint(x, y));
        press.m_leftDown = true;
        press.m_controlDown = true;
        press.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(press);
        Mouse(wxEVT_LEFT_UP, x, y);
    }
    // True when the view took the key.
    bool Key(int keyCode) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = keyCode;
        event.SetEventObject(view);
        return view->GetEventHandler()->ProcessEvent(event);
    }
    void Wheel(int rotation, bool middleDown) {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.m_wheelRotation = rotation;
        event.m_wheelDelta = 120;
        event.m_middleDown = middleDown;
        event.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(event);
    }
    // The back buffer's pixels from (left, top) up to (right, bottom), row
    // by row.
    std::vector<draw::COLORREF> Pixels(int left, int top, int right, int bottom) const {
        std::vector<draw::COLORREF> pixels;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                pixels.push_back(view->GetBackBuffer()->GetPixel(x, y));
            }
        }
        return pixels;
    }
    std::string Status() const { return window->GetStatusBar()->GetStatusText(0).utf8_string(); }

    // The stored points of a surface's outline.
    static std::vector<CVector2D> StoredOutline(const CDesignObject* object) {
        const auto& surface = dynamic_cast<const CWallObject&>(*object);
        const gfx::Vector3 position = surface.GetPosition();
        std::vector<CVector2D> points;
        for (const CVector2F& p : surface.GetOutline()) {
            points.emplace_back(position.x + p.x, position.z - p.y);
        }
        return points;
    }

    // A 60 cm square test object centred at the stored point (x, z); see
    // Place.
    CTest3DObject* AddWithSymbol(int type, std::unique_ptr<C2DPictureShape> symbol, int symbolType,
                                 float x, float z) {
        auto* object = new CTest3DObject(type);
        object->MakeBox({-30, 0, -30}, {30, 60, 30}, 1);
        Place(*object, std::move(symbol), type, symbolType, x, z);
        return object;
    }

    // The object centred at the stored point (x, z), drawn on the plan by a
    // 60 cm square outline and by a symbol whose line runs corner to corner
    // through the centre; the scene takes the object, the object its symbol.
    void Place(C3DObject& object, std::unique_ptr<C2DPictureShape> symbol, int type, int symbolType,
               float x, float z) {
        static constexpr char kDiagonal[] =
            "0\nSECTION\n2\nHEADER\n9\n$EXTMIN\n10\n-30\n20\n-30\n9\n$EXTMAX\n10\n30\n20\n"
            "30\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n-30\n20\n-30\n11\n30\n21\n"
            "30\n0\nENDSEC\n0\nEOF\n";
        const gfx::Vector3 up{0, 1, 0};
        object.SetPointRecords({{{-30, 0, -30}, {30, 0, -30}, up},
                                {{30, 0, -30}, {30, 0, 30}, up},
                                {{30, 0, 30}, {-30, 0, 30}, up},
                                {{-30, 0, 30}, {-30, 0, -30}, up}});
        object.SetPosition(x, 0, z);
        object.SetPlanOutlineShown(1);
        object.UpdatePlanOutline();
        symbol->LoadSymbolFromMemory(
            std::span(reinterpret_cast<const uint8_t*>(kDiagonal), sizeof kDiagonal - 1));
        symbol->SetSize(60, 60);
        symbol->SetPosition(x, z);
        object.SetPlanIcon(std::move(symbol));
        scene->AddObjectIfAbsent(type, &object);
        scene->AddObjectIfAbsent(symbolType, object.GetPlanIcon());
    }

    PlanWindow plan;
    wxFrame* window = nullptr;
    CH2DChild* child = nullptr;
    CH2DView* view = nullptr;
};

TEST_F(PlanInputGuiTest, WallToolRaisesAWallFromFourClickedCornersWithUndoAndRedo) {
    doc->SetEditModeAndRefresh(EditMode::kWall);
    // 2 cm a pixel past the 24-pixel rulers; the 5 cm grid takes the
    // centimetres the pixels miss.
    Click(75, 74);  // (102, 100)
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallDrawing);
    Click(175, 75);  // (302, 102)
    Click(174, 175);
    Click(74, 174);
    EXPECT_EQ(view->OutlineCapture().Outline().size(), 4u);
    Click(75, 75);  // back on the first corner: the outline closes
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWall);
    EXPECT_TRUE(view->OutlineCapture().Outline().empty());

    const std::vector<CVector2D> corners{{100, -100}, {300, -100}, {300, -300}, {100, -300}};
    ASSERT_EQ(scene->Objects(kWallObjectType).size(), 1u);
    EXPECT_EQ(StoredOutline(scene->Objects(kWallObjectType)[0]), corners);
    EXPECT_EQ(doc->GetDesignModified(), 1);

    doc->Undo();
    EXPECT_TRUE(scene->Objects(kWallObjectType).empty());
    doc->Redo();
    ASSERT_EQ(scene->Objects(kWallObjectType).size(), 1u);
    EXPECT_EQ(StoredOutline(scene->Objects(kWallObjectType)[0]), corners);
}

TEST_F(PlanInputGuiTest, RulerClicksAndRepeatedPointsAddNothing) {
    doc->SetEditModeAndRefresh(EditMode::kFloor);
    Click(10, 200);
    EXPECT_EQ(Status(), "不在規定區域內!");
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFloor);

    Click(74, 74);
    Click(75, 75);
    EXPECT_EQ(Status(), "重覆點!");
    EXPECT_EQ(view->OutlineCapture().Outline().size(), 1u);

    // Esc leaves a drawing alone; a double-click of two points cannot close.
    EXPECT_TRUE(Key(WXK_ESCAPE));
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFloorDrawing);
    Mouse(wxEVT_MOTION, 174, 74);
    EXPECT_EQ(Status(), "(100, 100)-(300, 100)長度200公分");
    Click(174, 74);
    Mouse(wxEVT_LEFT_DCLICK, 174, 74);
    EXPECT_EQ(view->OutlineCapture().Outline().size(), 2u);
    EXPECT_TRUE(scene->Objects(kFloorObjectType).empty());
}

TEST_F(PlanInputGuiTest, TypedLengthAndAngleGoTowardsTheMouse) {
    doc->SetFixedWallAngle(0);
    doc->SetEditModeAndRefresh(EditMode::kWall);
    Click(74, 74);
    Mouse(wxEVT_MOTION, 80, 130);  // below the first point
    CCoordInputBox& box = view->GetCoordInputBox();
    for (const auto& [id, text] : {std::pair{CCoordInputBox::kFirstEdit, "100"},
                                   std::pair{CCoordInputBox::kSecondEdit, "90"}}) {
        auto* edit = wxDynamicCast(box.Window().FindWindow(id), wxTextCtrl);
        ASSERT_NE(edit, nullptr);
        edit->ChangeValue(text);
    }
    box.OnEnter();
    EXPECT_EQ(view->OutlineCapture().Outline(), (std::vector<CVector2D>{{100, -100}, {100, -200}}));
    // Esc in the box with two points closes at a right angle, which two
    // points cannot: the drawing goes on.
    box.OnEscape();
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallDrawing);
}

TEST_F(PlanInputGuiTest, RightClickBeforeTheFirstPointLeavesTheTool) {
    doc->SetEditModeAndRefresh(EditMode::kCeiling);
    Mouse(wxEVT_RIGHT_DOWN, 100, 100);
    Mouse(wxEVT_RIGHT_UP, 100, 100);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kNone);
    EXPECT_EQ(Status(), "請選擇動作");
}

TEST_F(PlanInputGuiTest, ClickPicksAWallADragMovesItAndARectangleSelectsIt) {
    doc->Settings().wallLock = 0;
    CWallObject* wall =
        scene->AddWallFromOutline({{100, -100}, {300, -100}, {300, -300}, {100, -300}});
    ASSERT_NE(wall, nullptr);
    doc->SetEditModeAndRefresh(EditMode::kNone);

    // On the left side at (100, 200): picked, then dragged 20 cm right.
    Mouse(wxEVT_MOTION, 74, 124);
    Mouse(wxEVT_LEFT_DOWN, 74, 124);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallSelected);
    EXPECT_EQ(scene->Selected(kWallObjectType), std::vector<CDesignObject*>{wall});
    Mouse(wxEVT_MOTION, 84, 124, true);
    Mouse(wxEVT_LEFT_UP, 84, 124);
    EXPECT_FLOAT_EQ(wall->GetPosition().x, 120.0f);
    EXPECT_FLOAT_EQ(wall->GetPosition().z, -100.0f);
    doc->Undo();
    EXPECT_FLOAT_EQ(wall->GetPosition().x, 100.0f);

    // Empty ground inside the room lets go of the selection.
    doc->SetEditMode(EditMode::kWallSelected);
    Click(124, 124);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kNone);
    EXPECT_TRUE(scene->Selected(kWallObjectType).empty());

    // A rectangle around the room selects it; while it is dragged it shows
    // on the plan, and the plan is clean again afterwards.
    const auto topBand = [&] { return Pixels(30, 30, 130, 50); };
    view->RedrawNow();
    const std::vector<draw::COLORREF> clean = topBand();
    Mouse(wxEVT_LEFT_DOWN, 40, 40);
    Mouse(wxEVT_MOTION, 120, 120, true);
    EXPECT_NE(topBand(), clean);
    Mouse(wxEVT_MOTION, 200, 200, true);
    Mouse(wxEVT_LEFT_UP, 200, 200);
    EXPECT_EQ(topBand(), clean);
    EXPECT_EQ(scene->Selected(kWallObjectType), std::vector<CDesignObject*>{wall});
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallSelected);
}

TEST_F(PlanInputGuiTest, MiddleDragPansOnlyWhileThePositionStaysAboveZero) {
    const auto drag = [&](int x, int y) {
        wxMouseEvent event(wxEVT_MOTION);
        event.SetPosition(wxPoint(x, y));
        event.m_middleDown = true;
        event.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(event);
    };
    doc->SetPlanViewOrigin(POINT{100, 100});
    doc->SetDesignModified(0);
    Mouse(wxEVT_MOTION, 300, 300);
    drag(290, 295);  // 20 and 10 cm at 2 cm a pixel
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 120);
    EXPECT_EQ(doc->GetPlanViewOrigin().y, 110);
    EXPECT_EQ(view->GetScrollPos(wxHORIZONTAL), 120);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    drag(400, 300);  // x would go below 0 and stays; y moves on
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 120);
    EXPECT_EQ(doc->GetPlanViewOrigin().y, 100);
}

TEST_F(PlanInputGuiTest, PaperFrameFollowsADragOfItsEdge) {
    doc->SetFramePaperShown(1);
    // Without a printer the paper has no size: its frame is one point.
    doc->SetPaperPosition(POINT{200, 200});
    const RECT frame = view->GetPaperFrameClientRect();
    const POINT edge{frame.left, (frame.top + frame.bottom) / 2};
    ASSERT_GT(edge.x, 30);
    ASSERT_LT(edge.x, 400);
    ASSERT_GT(edge.y, 30);
    ASSERT_LT(edge.y, 300);
    Mouse(wxEVT_MOTION, edge.x, edge.y);
    Mouse(wxEVT_LEFT_DOWN, edge.x, edge.y);
    Mouse(wxEVT_MOTION, edge.x + 20, edge.y, true);
    Mouse(wxEVT_LEFT_UP, edge.x + 20, edge.y);
    const RECT moved = view->GetPaperFrameClientRect();
    EXPECT_NEAR(moved.left, frame.left + 20, 1);
    EXPECT_EQ(moved.top, frame.top);
    EXPECT_EQ(doc->GetPaperPosition().y, 200);
    // The corner handle sits on the moved frame's lower-right corner.
    const RECT handle = view->GetPaperTipRects()[4];
    EXPECT_EQ((handle.left + handle.right) / 2, moved.right);
    EXPECT_EQ((handle.top + handle.bottom) / 2, moved.bottom);
    // No selection rectangle was started by the press on the edge.
    EXPECT_EQ(doc->GetEditMode(), EditMode::kNone);
}

TEST_F(PlanInputGuiTest, WheelZoomsByNotchesButNotWhilePanning) {
    const int start = child->GetZoomSelection();
    Wheel(120, true);
    EXPECT_EQ(child->GetZoomSelection(), start);
    Wheel(120, false);
    EXPECT_EQ(child->GetZoomSelection(), start - 1);
    Wheel(-240, false);
    EXPECT_EQ(child->GetZoomSelection(), start + 1);
    Wheel(60, false);
    EXPECT_EQ(child->GetZoomSelection(), start + 1);
}

TEST_F(PlanInputGuiTest, ArrowKeysNudgeTheSelectionAsOneUndoStep) {
    CWallObject* wall = scene->AddWallFromOutline({{100, -100}, {300, -100}, {300, -300}});
    ASSERT_NE(wall, nullptr);
    scene->SelectObject(kWallObjectType, wall);
    doc->SetEditMode(EditMode::kWallSelected);
    const gfx::Vector3 before = wall->GetPosition();
    // Locked surfaces refuse the move with the lock's message.
    doc->Settings().wallLock = 1;
    EXPECT_TRUE(Key(WXK_UP));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FLOAT_EQ(wall->GetPosition().z, before.z);
    doc->Settings().wallLock = 0;
    EXPECT_TRUE(Key(WXK_UP));
    const gfx::Vector3 after = wall->GetPosition();
    EXPECT_FLOAT_EQ(after.x, before.x);
    EXPECT_NE(after.z, before.z);
    doc->Undo();
    EXPECT_FLOAT_EQ(wall->GetPosition().z, before.z);

    // Delete belongs to the selection modes; elsewhere it goes on.
    doc->SetEditMode(EditMode::kWallSelected);
    EXPECT_TRUE(Key(WXK_DELETE));
    doc->SetEditMode(EditMode::kNone);
    EXPECT_FALSE(Key(WXK_DELETE));

    // In an idle plan the move keys are the 3D view's: the camera walks.
    EXPECT_TRUE(Key(WXK_UP));
    EXPECT_TRUE(Key(WXK_PAGEUP));
    EXPECT_EQ(view3D.planKeys, (std::vector<int>{38, 33}));
    // A waiting tool keeps them from the camera.
    doc->SetEditMode(EditMode::kWall);
    EXPECT_FALSE(Key(WXK_UP));
    EXPECT_EQ(view3D.planKeys.size(), 2u);
    EXPECT_FLOAT_EQ(wall->GetPosition().z, before.z);
}

TEST_F(PlanInputGuiTest, ADragThatStartsOnTheSelectedModelMovesItAndNotTheWallUnderIt) {
    doc->Settings().wallLock = 0;
    CWallObject* wall =
        scene->AddWallFromOutline({{100, -100}, {300, -100}, {300, -300}, {100, -300}});
    ASSERT_NE(wall, nullptr);
    // A chair against the left wall: its left side lies on the wall.
    CTest3DObject* chair = AddWithSymbol(kModelObjectType, std::make_unique<C2DModelIconShape>(),
                                         kModelIconShapeType, 130, -200);
    doc->SetEditModeAndRefresh(EditMode::kNone);

    // Picked by its right side, clear of the wall, at (160, 200).
    Click(104, 124);
    ASSERT_EQ(doc->GetEditMode(), EditMode::kFurnitureSelected);
    ASSERT_EQ(scene->Selected(kModelObjectType), std::vector<CDesignObject*>{chair});

    // Pressed where its left side meets the wall at (100, 200) and dragged
    // 20 cm right and 10 cm down.
    Mouse(wxEVT_MOTION, 74, 124);
    Mouse(wxEVT_LEFT_DOWN, 74, 124);
    EXPECT_EQ(scene->Selected(kModelObjectType), std::vector<CDesignObject*>{chair});
    EXPECT_TRUE(scene->Selected(kWallObjectType).empty());
    Mouse(wxEVT_MOTION, 79, 124, true);
    Mouse(wxEVT_MOTION, 84, 129, true);
    Mouse(wxEVT_LEFT_UP, 84, 129);
    EXPECT_FLOAT_EQ(chair->GetPosition().x, 150.0f);
    EXPECT_FLOAT_EQ(chair->GetPosition().z, -210.0f);
    EXPECT_EQ(chair->GetPlanIcon()->GetPosition(), CVector2D(150.0, 210.0));
    EXPECT_FLOAT_EQ(wall->GetPosition().x, 100.0f);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFurnitureSelected);

    // The whole drag is one undo step.
    doc->Undo();
    EXPECT_FLOAT_EQ(chair->GetPosition().x, 130.0f);
    EXPECT_FLOAT_EQ(chair->GetPosition().z, -200.0f);

    // Off the selection the pick order holds: the wall comes first.
    doc->SetEditMode(EditMode::kFurnitureSelected);
    Mouse(wxEVT_LEFT_DOWN, 74, 174);  // (100, 300), the wall's corner
    Mouse(wxEVT_LEFT_UP, 74, 174);
    EXPECT_EQ(scene->Selected(kWallObjectType), std::vector<CDesignObject*>{wall});
    EXPECT_TRUE(scene->Selected(kModelObjectType).empty());
}

TEST_F(PlanInputGuiTest, ARubberBandCatchesFurnitureShownByItsSymbolAlone) {
    CTest3DObject* chair = AddWithSymbol(kModelObjectType, std::make_unique<C2DModelIconShape>(),
                                         kModelIconShapeType, 500, -400);
    chair->ShowBySymbolAlone();
    doc->SetEditModeAndRefresh(EditMode::kNone);

    // A band from empty ground round the symbol's square, (470, 370) to
    // (530, 430).
    Mouse(wxEVT_MOTION, 240, 205);
    Mouse(wxEVT_LEFT_DOWN, 240, 205);
    Mouse(wxEVT_MOTION, 280, 230, true);
    Mouse(wxEVT_MOTION, 310, 245, true);
    Mouse(wxEVT_LEFT_UP, 310, 245);
    EXPECT_EQ(scene->Selected(kModelObjectType), std::vector<CDesignObject*>{chair});
    EXPECT_EQ(scene->Selected(kModelIconShapeType),
              std::vector<CDesignObject*>{chair->GetPlanIcon()});
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFurnitureSelected);
}

TEST_F(PlanInputGuiTest, AClickOnASymbolSelectsTheSymbolWithItsObject) {
    const struct {
        int type;
        int symbolType;
        std::function<std::unique_ptr<C2DPictureShape>()> make;
        int mode;
        bool symbolAlone;
    } cases[] = {
        {kModelObjectType, kModelIconShapeType,
         [] { return std::make_unique<C2DModelIconShape>(); }, EditMode::kFurnitureSelected, false},
        // Furniture from a design file shows its symbol and keeps no outline
        // segments.
        {kModelObjectType, kModelIconShapeType,
         [] { return std::make_unique<C2DModelIconShape>(); }, EditMode::kFurnitureSelected, true},
        {kPhotoObjectType, kPhotoIconShapeType,
         [] { return std::make_unique<C2DPhotoIconShape>(); }, EditMode::kPhotoSelected, false},
        {kLightObjectType, kLightIconShapeType,
         [] { return std::make_unique<C2DLightIconShape>(); }, EditMode::kLightSelected, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << (c.symbolAlone ? " by its symbol alone" : ""));
        CTest3DObject* object = AddWithSymbol(c.type, c.make(), c.symbolType, 500, -400);
        if (c.symbolAlone) {
            object->ShowBySymbolAlone();
        } else {
            // The photo is drawn by its symbol alone.
            object->SetPlanOutlineShown(c.type == kPhotoObjectType ? 0 : 1);
        }
        doc->SetEditModeAndRefresh(EditMode::kNone);

        Click(274, 224);  // the symbol's centre at (500, 400)
        EXPECT_EQ(scene->Selected(c.symbolType),
                  std::vector<CDesignObject*>{object->GetPlanIcon()});
        EXPECT_EQ(scene->Selected(c.type), std::vector<CDesignObject*>{object});
        EXPECT_EQ(object->IsSelected(), 1);
        EXPECT_EQ(doc->GetEditMode(), c.mode);

        // Ctrl on it again lets go of both.
        CtrlClick(274, 224);
        EXPECT_TRUE(scene->Selected(c.symbolType).empty());
        EXPECT_TRUE(scene->Selected(c.type).empty());
        EXPECT_EQ(object->IsSelected(), 0);

        // The next case's object takes its place.
        scene->RemoveObject(c.symbolType, object->GetPlanIcon());
        scene->RemoveObject(c.type, object);
        delete object;
    }

    // Ctrl adds a second chair; the first keeps its symbol selected.
    CTest3DObject* first = AddWithSymbol(kModelObjectType, std::make_unique<C2DModelIconShape>(),
                                         kModelIconShapeType, 500, -400);
    CTest3DObject* second = AddWithSymbol(kModelObjectType, std::make_unique<C2DModelIconShape>(),
                                          kModelIconShapeType, 700, -400);
    Click(274, 224);
    CtrlClick(374, 224);
    EXPECT_EQ(scene->Selected(kModelObjectType), (std::vector<CDesignObject*>{first, second}));
    EXPECT_EQ(scene->Selected(kModelIconShapeType),
              (std::vector<CDesignObject*>{first->GetPlanIcon(), second->GetPlanIcon()}));
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFurnitureMultiSelected);
}

TEST_F(PlanInputGuiTest, PhotoSymbolsArePaintedAgainWhenTheCameraMoves) {
    auto* photo = new CPhotoObject();
    ASSERT_EQ(photo->BuildMesh(), 1);
    Place(*photo, std::make_unique<C2DPhotoIconShape>(), kPhotoObjectType, kPhotoIconShapeType, 200,
          -200);
    photo->SetPlanOutlineShown(0);
    view->RedrawNow();
    const auto square = [&] { return Pixels(104, 104, 144, 144); };
    const std::vector<draw::COLORREF> before = square();
    const int paints = view->GetBackBufferPaintCount();
    // A photo that turns to the viewer has turned with the camera.
    photo->GetPlanIcon()->SetAngle(kPi / 2);
    view->InvalidatePhotoMarkers();
    const std::vector<draw::COLORREF> turned = square();
    EXPECT_NE(turned, before);
    EXPECT_EQ(view->GetBackBufferPaintCount(), paints);  // not the whole plan
    view->RedrawNow();
    EXPECT_EQ(square(), turned);
}

}  // namespace
