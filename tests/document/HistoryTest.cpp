#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "DocumentFixture.h"
#include "document/DesignScene.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "objects/Text3DObject.h"
#include "objects/WallObject.h"

namespace {

// A model that counts its deletions.
class CountedModel : public CTest3DObject {
public:
    explicit CountedModel(int* deletions, int type = kModelObjectType)
        : CTest3DObject(type), m_deletions(deletions) {}
    ~CountedModel() override { ++*m_deletions; }

private:
    int* m_deletions;
};

class HistoryTest : public SceneTest {
protected:
    CTest3DObject* AddSelected(int type, float x) {
        auto* object = new CTest3DObject(type);
        object->MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
        object->SetPosition(x, 0, 0);
        scene->AddObjectIfAbsent(type, object);
        scene->SelectObject(type, object);
        return object;
    }

    // Drags the selection by dx as the 3D view does.
    void Drag(const std::vector<CTest3DObject*>& objects, float dx) {
        doc->BeginEditSnapshot(3);
        for (CTest3DObject* object : objects) {
            const gfx::Vector3 p = object->GetPosition();
            object->SetPosition(p.x + dx, p.y, p.z);
        }
        doc->EndEditSnapshot(3);
    }

    std::unique_ptr<HistoryRecord> SingleStep(int operation) {
        auto record = std::make_unique<HistoryRecord>();
        record->operation = operation;
        record->objectType = kModelObjectType;
        return record;
    }

    const std::vector<std::unique_ptr<HistoryRecord>>& Undo() { return doc->HistoryList(0); }
    const std::vector<std::unique_ptr<HistoryRecord>>& Redo() { return doc->HistoryList(1); }
};

}  // namespace

TEST_F(HistoryTest, ObjectsDraggedTogetherAreOneStepBothWays) {
    std::vector<CTest3DObject*> objects = {AddSelected(kModelObjectType, 0),
                                           AddSelected(kWallObjectType, 10),
                                           AddSelected(kFloorObjectType, 20)};
    Drag(objects, 5);
    ASSERT_EQ(Undo().size(), 3u);
    for (const auto& record : Undo()) {
        EXPECT_EQ(record->operation, kHistoryPlacement);
        EXPECT_EQ(record->count, 3);
    }
    doc->Undo();
    EXPECT_TRUE(Undo().empty());
    EXPECT_EQ(Redo().size(), 3u);
    EXPECT_EQ(objects[1]->GetPosition().x, 10.0f);
    EXPECT_EQ(view3D.hints.back(), kFullRefreshHint);
    doc->Redo();
    EXPECT_EQ(objects[0]->GetPosition().x, 5.0f);
    EXPECT_EQ(objects[2]->GetPosition().x, 25.0f);
    EXPECT_EQ(Undo().size(), 3u);
}

TEST_F(HistoryTest, RepeatedDragsMergeAndStillDragsLeaveNothing) {
    CTest3DObject* object = AddSelected(kModelObjectType, 0);
    doc->PushUndoRecord(SingleStep(kHistorySeparator));
    doc->HistoryList(1).push_back(SingleStep(kHistoryMirrorImage));

    Drag({object}, 0);
    EXPECT_EQ(Undo().size(), 1u);
    EXPECT_EQ(Redo().size(), 1u);  // nothing moved: the redo list stays

    Drag({object}, 3);
    Drag({object}, 4);
    ASSERT_EQ(Undo().size(), 2u);
    EXPECT_TRUE(Redo().empty());
    const HistoryRecord& merged = *Undo().back();
    EXPECT_EQ(std::get<PlacementRecord>(merged.before)[0], 0.0f);
    EXPECT_EQ(std::get<PlacementRecord>(merged.after)[0], 7.0f);
    doc->Undo();
    EXPECT_EQ(object->GetPosition().x, 0.0f);
}

TEST_F(HistoryTest, EveryPressUndoesAnEditAndSeparatorsGoAlongWithIt) {
    CTest3DObject* object = AddSelected(kModelObjectType, 0);
    Drag({object}, 2);
    doc->PushUndoSeparator();
    doc->PushUndoSeparator();
    ASSERT_EQ(Undo().size(), 2u);
    doc->Undo();
    EXPECT_TRUE(Undo().empty());
    EXPECT_EQ(object->GetPosition().x, 0.0f);
    EXPECT_FALSE(doc->IsRedoEmpty());
    doc->Redo();
    EXPECT_EQ(object->GetPosition().x, 2.0f);
    EXPECT_TRUE(doc->IsRedoEmpty());

    // A model placed in the 3D view, then a click on it that moves
    // nothing: the release leaves a separator after the placing.
    auto* placed = new CTest3DObject(kModelObjectType);
    placed->MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
    scene->AddObjectIfAbsent(kModelObjectType, placed);
    auto add = SingleStep(kHistoryAdd);
    add->after = HistoryObject{placed, nullptr};
    add->object = placed;
    doc->PushUndoRecord(std::move(add));
    scene->DeselectAll(kModelObjectType);
    scene->SelectObject(kModelObjectType, placed);
    doc->BeginEditSnapshot(3);
    doc->EndEditSnapshot(3);
    doc->PushUndoSeparator();

    doc->Undo();
    EXPECT_FALSE(scene->IsModelInScene(placed));
    // What the record keeps is no longer selected either.
    EXPECT_TRUE(scene->Selected(kModelObjectType).empty());
    doc->Undo();
    EXPECT_EQ(object->GetPosition().x, 0.0f);
}

TEST_F(HistoryTest, UndoOfATurnBringsBackEachAngleInItsPlace) {
    std::vector<CTest3DObject*> objects = {AddSelected(kModelObjectType, 0),
                                           AddSelected(kWallObjectType, 10),
                                           AddSelected(kText3DObjectType, 20)};
    for (CTest3DObject* object : objects) {
        object->SetRotation(0.5f, 0.25f, 0.125f);
    }
    doc->BeginEditSnapshot(3);
    for (CTest3DObject* object : objects) {
        object->SetRotation(1.0f, 0.75f, 0.375f);
        object->SetPosition(object->GetPosition().x + 5, 0, 0);
    }
    doc->EndEditSnapshot(3);
    const auto expectAngles = [&](double heading, double elevation, double roll) {
        for (CTest3DObject* object : objects) {
            EXPECT_FLOAT_EQ(object->GetHeading(), heading);
            EXPECT_FLOAT_EQ(object->GetElevation(), elevation);
            EXPECT_FLOAT_EQ(object->GetRoll(), roll);
        }
    };
    doc->Undo();
    expectAngles(0.5, 0.25, 0.125);
    EXPECT_EQ(objects[2]->GetPosition().x, 20.0f);
    doc->Redo();
    expectAngles(1.0, 0.75, 0.375);
    EXPECT_EQ(objects[2]->GetPosition().x, 25.0f);
}

TEST_F(HistoryTest, ObjectsMovedBetweenStoreysAreDrawnOnTheirStoreyAfterUndoAndRedo) {
    // Two storeys: floors at 0 and 300.
    for (const float level : {0.0f, 300.0f}) {
        auto* floor = new CTest3DObject(kFloorObjectType);
        floor->MakeBox({0, 0, 0}, {100, 1, 100}, 1);
        floor->SetPosition(0, level, 0);
        scene->AddObjectIfAbsent(kFloorObjectType, floor);
    }
    scene->RebuildFloorLevels();
    CTest3DObject* model = AddSelected(kModelObjectType, 0);
    model->UpdateFloorIndex();
    const auto move = [&](float dy) {
        doc->BeginEditSnapshot(3);
        scene->TransformSelected3DObjects({0, dy, 0, 0, 0, 0});
        doc->EndEditSnapshot(3);
        doc->PushUndoSeparator();
    };
    move(300);
    ASSERT_EQ(model->GetFloorIndex(), 1);
    move(-300);
    ASSERT_EQ(model->GetFloorIndex(), 0);

    const struct {
        bool undo;
        float height;
        int storey;
    } steps[] = {{true, 300, 1}, {true, 0, 0}, {false, 300, 1}, {false, 0, 0}, {true, 300, 1}};
    for (const auto& step : steps) {
        step.undo ? doc->Undo() : doc->Redo();
        EXPECT_EQ(model->GetPosition().y, step.height);
        EXPECT_EQ(model->GetFloorIndex(), step.storey) << "at height " << step.height;
    }
}

TEST_F(HistoryTest, DeletedObjectsComeBackAsOneStepAndAreFreedWithTheirRecord) {
    int deletions = 0;
    std::vector<CountedModel*> objects;
    for (int i = 0; i < 5; ++i) {
        const int type = i < 3 ? kModelObjectType : kWallObjectType;
        auto* object = new CountedModel(&deletions, type);
        objects.push_back(object);
        // Deleting takes the object out of the scene into the record.
        auto record = SingleStep(kHistoryDelete);
        record->objectType = type;
        record->before = HistoryObject{object, std::unique_ptr<CDesignObject>(object)};
        record->object = object;
        doc->PushUndoRecord(std::move(record));
    }
    doc->JoinTrailingDeleteRecords();
    for (const auto& record : Undo()) {
        EXPECT_EQ(record->count, 5);
    }
    doc->GetCopyBuffer().Add(kModelObjectType, objects[0]);

    doc->Undo();
    EXPECT_EQ(scene->Objects(kModelObjectType).size(), 3u);
    EXPECT_EQ(scene->Objects(kWallObjectType).size(), 2u);
    doc->Redo();
    EXPECT_TRUE(scene->Objects(kModelObjectType).empty());
    EXPECT_EQ(deletions, 0);
    // Deleting again let go of the copy.
    EXPECT_TRUE(doc->GetCopyBuffer().IsEmpty());

    // A copy of an object the history keeps is released with it.
    doc->GetCopyBuffer().Add(kModelObjectType, objects[1]);
    ASSERT_FALSE(doc->GetCopyBuffer().IsEmpty());
    doc->ClearHistoryList(0);
    EXPECT_EQ(deletions, 5);
    EXPECT_TRUE(doc->GetCopyBuffer().IsEmpty());
}

TEST_F(HistoryTest, UndoneAddIsOwnedByRedoUntilANewEditDropsIt) {
    int deletions = 0;
    auto* object = new CountedModel(&deletions);
    scene->AddObjectIfAbsent(kModelObjectType, object);
    auto add = SingleStep(kHistoryAdd);
    add->after = HistoryObject{object, nullptr};
    add->object = object;
    doc->PushUndoRecord(std::move(add));

    doc->Undo();
    EXPECT_FALSE(scene->IsModelInScene(object));
    EXPECT_EQ(deletions, 0);
    doc->Redo();
    EXPECT_TRUE(scene->IsModelInScene(object));
    doc->Undo();
    doc->PushUndoRecord(SingleStep(kHistoryMirrorImage));
    EXPECT_EQ(deletions, 1);
}

TEST_F(HistoryTest, TrimmingKeepsTheNewestStepsCountingGroupsOnce) {
    for (int i = 0; i < 51; ++i) {
        doc->PushUndoRecord(SingleStep(kHistoryMirrorImage));
    }
    doc->TrimUndoHistory();
    EXPECT_EQ(Undo().size(), 50u);

    doc->BeginUndoGroup();
    for (int i = 0; i < 3; ++i) {
        doc->PushUndoRecord(SingleStep(kHistoryShadow));
        doc->PushUndoSeparator();
    }
    doc->EndUndoGroup();
    EXPECT_EQ(Undo().size(), 53u);
    doc->TrimUndoHistory();
    // The group of three is one step: one more single step goes.
    ASSERT_EQ(Undo().size(), 52u);
    EXPECT_EQ(Undo().back()->count, 3);
    EXPECT_EQ(Undo().front()->operation, kHistoryMirrorImage);
}

TEST_F(HistoryTest, MarkersAndGroups) {
    EXPECT_TRUE(doc->IsUndoEmpty());
    doc->BeginUndoGroup();  // an empty list takes no marker
    EXPECT_TRUE(Undo().empty());
    doc->PushUndoRecord(SingleStep(kHistoryShadow));
    doc->BeginUndoGroup();
    doc->BeginUndoGroup();
    ASSERT_EQ(Undo().size(), 2u);
    doc->HistoryList(0).erase(doc->HistoryList(0).begin());
    EXPECT_TRUE(doc->IsUndoEmpty());
    doc->EndUndoGroup();
    EXPECT_TRUE(Undo().empty());

    doc->PushUndoRecord(SingleStep(kHistoryShadow));
    doc->BeginUndoGroup();
    CTest3DObject* object = AddSelected(kModelObjectType, 0);
    auto drop = SingleStep(kHistoryAdd);
    drop->after = HistoryObject{object, nullptr};
    doc->PushUndoRecord(std::move(drop));
    doc->PushUndoRecord(SingleStep(kHistoryShadow));
    doc->DropUndoRecord(kHistoryAdd, kModelObjectType, object);
    doc->EndUndoGroup();
    ASSERT_EQ(Undo().size(), 2u);
    EXPECT_EQ(Undo().back()->count, 1);
}

TEST_F(HistoryTest, PropertyEditsRecordChangesOfTheSelection) {
    // Nothing selected: pending snapshots are dropped, the list stays.
    doc->PushUndoRecord(SingleStep(kHistoryShadow));
    doc->HistoryList(3).push_back(SingleStep(kHistoryProperties));
    doc->CommitSelectionProperties();
    EXPECT_EQ(Undo().size(), 1u);
    EXPECT_TRUE(doc->HistoryList(3).empty());

    CTest3DObject* first = AddSelected(kModelObjectType, 0);
    CTest3DObject* second = AddSelected(kModelObjectType, 0);
    doc->SnapshotSelectionProperties(4);
    first->SetWebLink("http://a");
    doc->CommitSelectionProperties();
    ASSERT_EQ(Undo().size(), 2u);
    EXPECT_EQ(Undo().back()->object, first);

    doc->SnapshotSelectionProperties(4);
    first->SetWebLink("http://b");
    second->SetPrice(10);
    doc->CommitSelectionProperties();
    doc->SnapshotSelectionProperties(4);
    first->SetWebLink("http://c");
    doc->CommitSelectionProperties();
    doc->Undo();
    EXPECT_EQ(first->GetWebLink(), "http://b");
    EXPECT_EQ(second->GetPrice(), 10.0f);
}

TEST_F(HistoryTest, EditsOfOnePropertyGroupMergeAndOfTwoGroupsStayTwoSteps) {
    CTest3DObject* object = AddSelected(kModelObjectType, 0);
    const auto edit = [&](int group, auto change) {
        doc->SnapshotSelectionProperties(group);
        change();
        doc->CommitSelectionProperties();
    };
    edit(4, [&] { object->SetWebLink("http://a"); });
    edit(4, [&] { object->SetWebLink("http://b"); });
    EXPECT_EQ(Undo().size(), 1u);
    edit(1, [&] { object->SetPrice(10); });
    ASSERT_EQ(Undo().size(), 2u);

    doc->Undo();
    EXPECT_EQ(object->GetPrice(), 0.0f);
    EXPECT_EQ(object->GetWebLink(), "http://b");
    doc->Undo();
    EXPECT_EQ(object->GetWebLink(), "");
    EXPECT_TRUE(doc->IsUndoEmpty());
}

TEST_F(HistoryTest, UndoOfATextEditBringsBackTheWordsWithTheirMesh) {
    auto* text = new CText3DObject();
    text->SetText("AB");
    text->Rebuild();
    text->SetScale(40.0f, 25.0f, 5.0f);
    scene->AddObjectIfAbsent(kText3DObjectType, text);
    scene->SelectObject(kText3DObjectType, text);
    const float shortWidth = text->GetRealSize()[0];

    doc->SnapshotSelectionProperties(6);
    text->SetText("ABCDEFGH");
    text->CreateTextMesh();
    text->SetScale(40.0f, 25.0f, 5.0f);
    doc->CommitSelectionProperties();
    const float longWidth = text->GetRealSize()[0];
    ASSERT_GT(longWidth, shortWidth);

    doc->Undo();
    EXPECT_EQ(text->GetText(), "AB");
    EXPECT_FLOAT_EQ(text->GetRealSize()[0], shortWidth);
    EXPECT_FLOAT_EQ(text->GetScale()[0], 40.0f);
    doc->Redo();
    EXPECT_EQ(text->GetText(), "ABCDEFGH");
    EXPECT_FLOAT_EQ(text->GetRealSize()[0], longWidth);
}

TEST_F(HistoryTest, MaterialRecordsBringBackTextureNameAndMapping) {
    CTest3DObject* object = AddSelected(kModelObjectType, 0);
    object->MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    MaterialSnapshot before;
    before.material = object->GetMaterial(1);
    before.textureName = "";
    MaterialSnapshot after = before;
    after.textureName = "/tex/oak.jpg";
    after.mapping.offsetU = 0.5f;
    after.material.diffuse.a = 0.5f;
    auto record = SingleStep(kHistoryMaterial);
    record->value = 1;
    record->before = before;
    record->after = after;
    record->object = object;
    doc->PushUndoRecord(std::move(record));
    auto outOfRange = SingleStep(kHistoryMaterial);
    outOfRange->value = 7;
    outOfRange->after = after;
    outOfRange->object = object;
    doc->PushUndoRecord(std::move(outOfRange));
    doc->EndUndoGroup();

    doc->Undo();
    doc->Redo();
    EXPECT_EQ(object->GetTextureNames()[1], "/tex/oak.jpg");
    EXPECT_EQ(object->GetMappingRecord(1).offsetU, 0.5f);
    EXPECT_EQ(object->GetMaterial(1).diffuse.a, 0.5f);
    doc->Undo();
    EXPECT_EQ(object->GetTextureNames()[1], "材質");
    EXPECT_EQ(object->GetMappingRecord(1).offsetU, 0.0f);
}

TEST_F(HistoryTest, DoorGoesBackIntoItsOpeningWhenAWallMoveIsUndone) {
    doc->Settings().wallLock = 0;
    auto* wall = new CWallObject();
    wall->SetOutline({{0, 0}, {0, 20}, {300, 20}, {300, 0}});
    ASSERT_EQ(wall->BuildMesh(1, 280.0f), 1);
    wall->SetUniformScale(1.0f);
    scene->AddObjectIfAbsent(kWallObjectType, wall);
    scene->SelectObject(kWallObjectType, wall);
    auto* door = new CTest3DObject(kModelObjectType);
    door->MakeBox({-50, 0, -5}, {50, 200, 5}, 1);
    scene->AddObjectIfAbsent(kModelObjectType, door);
    auto opening = std::make_unique<WallFaceItem>(3, 1, WallFaceItem::kRectangle);
    opening->SetCorners({100, 0}, {190, 210});
    // The door model class is not needed here; the opening names it by address.
    opening->model1 = reinterpret_cast<CModelObject*>(door);
    wall->AddFaceItem(std::move(opening));
    wall->UpdateOpeningModels();
    const auto doorCentre = [door] { return door->LocalToWorld({0, 100, 0}); };
    const gfx::Vector3 before = doorCentre();

    doc->BeginEditSnapshot(3);
    scene->TransformSelected3DObjects({25, 0, 0, 0.5f, 0, 0});
    doc->EndEditSnapshot(3);
    doc->PushUndoSeparator();
    const gfx::Vector3 moved = doorCentre();
    EXPECT_GT(std::fabs(moved.x - before.x) + std::fabs(moved.z - before.z), 1.0f);

    doc->Undo();
    EXPECT_NEAR(doorCentre().x, before.x, 1e-3f);
    EXPECT_NEAR(doorCentre().z, before.z, 1e-3f);
    doc->Redo();
    EXPECT_NEAR(doorCentre().x, moved.x, 1e-3f);
    EXPECT_NEAR(doorCentre().z, moved.z, 1e-3f);
}
