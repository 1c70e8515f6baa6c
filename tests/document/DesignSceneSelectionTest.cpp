#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DocumentFixture.h"
#include "document/EditMode.h"
#include "document/SelectionEditMode.h"
#include "objects/2DModelIconShape.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"

namespace {

constexpr uint32_t Bit(int type) {
    return uint32_t{1} << type;
}

// A plan object of any code with a fixed plan box.
class BoxedShape : public CDesignObject {
public:
    BoxedShape(int type, CIntBoundingBox2D box) : m_box(box) { m_type = type; }
    CIntBoundingBox2D GetBoundingBox() const override { return m_box; }

private:
    CIntBoundingBox2D m_box;
};

class DesignSceneSelectionTest : public SceneTest {
protected:
    template <class Object, class... Args>
    Object* Add(int type, Args&&... args) {
        auto* object = new Object(std::forward<Args>(args)...);
        scene->AddObjectIfAbsent(type, object);
        return object;
    }
    CTest3DObject* AddModelWithSymbol() {
        auto* model = Add<CTest3DObject>(kModelObjectType, kModelObjectType);
        model->SetPlanIcon(std::make_unique<C2DModelIconShape>());
        scene->AddObjectIfAbsent(kModelIconShapeType, model->GetPlanIcon());
        return model;
    }
    CDesignObject* AddShape(int type) { return Add<BoxedShape>(type, type, CIntBoundingBox2D{}); }
};

}  // namespace

TEST(SelectionEditModeTest, ModeFollowsTheCountedKinds) {
    const struct {
        SelectionSummary summary;
        int mode;
    } cases[] = {
        {{}, EditMode::kNone},
        {{.count = 1, .typeMask = Bit(kModelIconShapeType)}, EditMode::kFurnitureSelected},
        {{.count = 2, .typeMask = Bit(kModelIconShapeType)}, EditMode::kFurnitureMultiSelected},
        {{.count = 1, .typeMask = Bit(kLightIconShapeType)}, EditMode::kLightSelected},
        {{.count = 2, .typeMask = Bit(kPhotoIconShapeType)}, EditMode::kPhotoMultiSelected},
        {{.count = 3, .typeMask = Bit(kWallObjectType)}, EditMode::kWallMultiSelected},
        {{.count = 1, .typeMask = Bit(kCeilingObjectType)}, EditMode::kCeilingSelected},
        {{.count = 2, .typeMask = Bit(kWallObjectType) | Bit(kFloorObjectType)},
         EditMode::kSurfacesMixedSelected},
        {{.count = 3,
          .typeMask = Bit(kWallObjectType) | Bit(kFloorObjectType) | Bit(kLineShapeType)},
         EditMode::kMixedSelected},
        {{.count = 1, .typeMask = Bit(kLineShapeType), .lines = 1}, EditMode::kLineSelected},
        {{.count = 1, .typeMask = Bit(kLineShapeType), .linesWithHeads = 1, .lines = 1},
         EditMode::kArrowLineSelected},
        {{.count = 2, .typeMask = Bit(kLineShapeType), .lines = 2},
         EditMode::kLinesWithoutHeadsSelected},
        {{.count = 2, .typeMask = Bit(kLineShapeType), .linesWithHeads = 2, .lines = 2},
         EditMode::kArrowLinesSelected},
        {{.count = 2, .typeMask = Bit(kLineShapeType), .linesWithHeads = 1, .lines = 2},
         EditMode::kLinesMixedHeadsSelected},
        {{.count = 1, .typeMask = Bit(kCircleShapeType), .fullCircles = 1, .circles = 1},
         EditMode::kFullCircleSelected},
        {{.count = 1, .typeMask = Bit(kCircleShapeType), .circles = 1}, EditMode::kArcSelected},
        {{.count = 2, .typeMask = Bit(kCircleShapeType), .fullCircles = 1, .circles = 2},
         EditMode::kShapesMixedSelected},
        {{.count = 2, .typeMask = Bit(kRectShapeType) | Bit(kCurveShapeType)},
         EditMode::kShapesMixedSelected},
        {{.count = 2, .typeMask = Bit(kChainShapeType) | Bit(kTextShapeType), .chains = 1},
         EditMode::kChainSelected},
        {{.count = 3, .typeMask = Bit(kChainShapeType) | Bit(kWallObjectType), .chains = 2},
         EditMode::kChainsSelected},
        {{.count = 2, .typeMask = Bit(kDimensionShapeType) | Bit(kTextShapeType)},
         EditMode::kNotesMixedSelected},
        {{.count = 1, .typeMask = Bit(kBaseDrawingType)}, EditMode::kBaseDrawingSelected},
        {{.count = 2, .typeMask = Bit(kGroupShapeType)}, EditMode::kGroupsSelected},
        {{.count = 2, .typeMask = Bit(kWallObjectType) | Bit(kImageShapeType)},
         EditMode::kMixedSelected},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SelectionEditMode(c.summary), c.mode) << std::hex << c.summary.typeMask;
    }
}

TEST_F(DesignSceneSelectionTest, SymbolsFollowTheirModelsAndCountForThem) {
    CTest3DObject* first = AddModelWithSymbol();
    CTest3DObject* second = AddModelWithSymbol();
    auto* wall = Add<CTest3DObject>(kWallObjectType, kWallObjectType);
    second->SetSelected(1);
    first->SetSelected(1);
    scene->RebuildSelectionLists();
    // Models in list order; symbols in their models' order, selected too.
    EXPECT_EQ(scene->Selected(kModelObjectType), (std::vector<CDesignObject*>{first, second}));
    EXPECT_EQ(scene->Selected(kModelIconShapeType),
              (std::vector<CDesignObject*>{first->GetPlanIcon(), second->GetPlanIcon()}));
    EXPECT_EQ(second->GetPlanIcon()->IsSelected(), 1);
    EXPECT_EQ(scene->UpdateSelectionEditMode(), EditMode::kFurnitureMultiSelected);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kFurnitureMultiSelected);

    // A model let go takes its symbol along; the models count once.
    first->SetSelected(0);
    wall->SetSelected(1);
    scene->RebuildSelectionLists();
    EXPECT_EQ(first->GetPlanIcon()->IsSelected(), 0);
    const SelectionSummary summary = scene->RecountSelection();
    EXPECT_EQ(summary.count, 2);
    EXPECT_EQ(summary.typeMask, Bit(kWallObjectType) | Bit(kModelIconShapeType));
    EXPECT_EQ(scene->CountSelected3DObjects(), 2);
    EXPECT_TRUE(scene->HasMixedSelection());
    EXPECT_EQ(scene->UpdateSelectionEditMode(), EditMode::kMixedSelected);
}

TEST_F(DesignSceneSelectionTest, LineFamilyIsOneKindOfAMix) {
    scene->SelectObject(kLineShapeType, AddShape(kLineShapeType));
    scene->SelectObject(kChainShapeType, AddShape(kChainShapeType));
    EXPECT_FALSE(scene->HasMixedSelection());
    scene->SelectObject(kTextShapeType, AddShape(kTextShapeType));
    EXPECT_TRUE(scene->HasMixedSelection());
    EXPECT_EQ(scene->UpdateSelectionEditMode(), EditMode::kChainSelected);
    // Clearing the plan selection brings the mode back to nothing.
    scene->ClearPlanSelectionAndMode();
    EXPECT_FALSE(doc->HasAnySelection());
    EXPECT_EQ(doc->GetEditMode(), EditMode::kNone);
}

TEST_F(DesignSceneSelectionTest, PruningKeepsOnlyGroupMembersStillInTheScene) {
    CDesignObject* loose = AddShape(kRectShapeType);
    CDesignObject* group = AddShape(kGroupShapeType);
    CDesignObject* member = AddShape(kRectShapeType);
    member->SetParent(group);
    CDesignObject* gone = AddShape(kRectShapeType);
    gone->SetParent(group);
    for (CDesignObject* shape : {loose, member, gone}) {
        scene->SelectObject(kRectShapeType, shape);
    }
    auto& rects = scene->Objects(kRectShapeType);
    rects.erase(std::find(rects.begin(), rects.end(), gone));
    scene->PruneSelectionLists();
    EXPECT_EQ(scene->Selected(kRectShapeType), std::vector<CDesignObject*>{member});
    EXPECT_EQ(loose->IsSelected(), 0);
    delete gone;
}

TEST_F(DesignSceneSelectionTest, ExtentIsTheUnionOfNonEmptyBoxes) {
    EXPECT_EQ(scene->GetTypeExtent(kImageShapeType), (CIntBoundingBox2D{1, 0, 0, 0, 0}));
    Add<BoxedShape>(kImageShapeType, kImageShapeType, CIntBoundingBox2D{1, -500, -500, 500, 500});
    EXPECT_EQ(scene->GetTypeExtent(kImageShapeType), (CIntBoundingBox2D{1, 0, 0, 0, 0}));
    CDesignObject* a =
        Add<BoxedShape>(kImageShapeType, kImageShapeType, CIntBoundingBox2D{0, 30, 40, 10, 20});
    Add<BoxedShape>(kImageShapeType, kImageShapeType, CIntBoundingBox2D{0, -5, 25, 15, 60});
    EXPECT_EQ(scene->GetTypeExtent(kImageShapeType), (CIntBoundingBox2D{0, -5, 20, 30, 60}));
    scene->SelectObject(kImageShapeType, a);
    EXPECT_EQ(scene->GetSelectedTypeExtent(kImageShapeType),
              (CIntBoundingBox2D{0, 10, 20, 30, 40}));
}

TEST_F(DesignSceneSelectionTest, DeselectingATypeClearsFlagsSymbolsAndPickedObject) {
    CTest3DObject* model = AddModelWithSymbol();
    model->SetSelected(1);
    scene->RebuildSelectionLists();
    scene->SetPickedObject(kModelObjectType, model);
    ASSERT_EQ(doc->GetPickedObject(CHousDoc::PickedKind::Model), model);
    scene->DeselectType(kModelObjectType, false);
    EXPECT_EQ(model->IsSelected(), 0);
    EXPECT_EQ(model->GetPlanIcon()->IsSelected(), 0);
    EXPECT_EQ(doc->GetPickedObject(CHousDoc::PickedKind::Model), nullptr);
    EXPECT_EQ(scene->Selected(kModelObjectType).size(), 1u);
    scene->DeselectSavedTypes(true);
    EXPECT_FALSE(scene->HasSelected3DObject());
}
