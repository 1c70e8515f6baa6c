#include <gtest/gtest.h>

#include "FakeSceneServices.h"
#include "Test3DObject.h"
#include "objects/ObjectTypeCodes.h"

namespace {

// Runs edit between a pushed and a committed snapshot, as the attribute
// pages do, and returns what the list holds afterwards.
template <typename Edit>
std::vector<std::unique_ptr<HistoryRecord>> RecordEdit(CTest3DObject& object, Edit edit) {
    std::vector<std::unique_ptr<HistoryRecord>> pending;
    object.PushUndoSnapshot(pending, 4, 1, kModelObjectType);
    edit(object);
    std::vector<std::unique_ptr<HistoryRecord>> list;
    object.CommitUndoSnapshot(list, std::move(pending.back()), 2);
    return list;
}

const CObjectSnapshot& Snapshot(const HistoryPayload& payload) {
    return *std::get<std::unique_ptr<CObjectSnapshot>>(payload);
}

}  // namespace

TEST(C3DObjectSnapshotTest, AnEditThatChangesNothingLeavesNoRecord) {
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    EXPECT_TRUE(RecordEdit(object, [](CTest3DObject& o) { o.SetPosition(0, 0, 0); }).empty());

    std::vector<std::unique_ptr<HistoryRecord>> list;
    object.CommitUndoSnapshot(list, nullptr, 1);
    EXPECT_TRUE(list.empty());
}

TEST(C3DObjectSnapshotTest, ChangedWebLinkIsRecordedAndRestored) {
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
    object.SetWebLink("http://a");
    auto list = RecordEdit(object, [](CTest3DObject& o) {
        o.SetWebLink("http://b");
        o.SetTriggerSound("ding.wav");
    });
    ASSERT_EQ(list.size(), 1u);
    const HistoryRecord& record = *list[0];
    EXPECT_EQ(record.operation, kHistoryProperties);
    EXPECT_EQ(record.value, 4);
    EXPECT_EQ(record.count, 2);
    EXPECT_EQ(record.object, &object);

    object.RestoreNamesFromSnapshot(Snapshot(record.before));
    EXPECT_EQ(object.GetWebLink(), "http://a");
    EXPECT_EQ(object.GetTriggerSound(), "");
    object.RestoreNamesFromSnapshot(Snapshot(record.after));
    EXPECT_EQ(object.GetWebLink(), "http://b");
}

TEST(C3DObjectSnapshotTest, TransformAndColoursComeBack) {
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    object.SetPosition(1, 2, 3);
    object.SetName("桌");
    auto list = RecordEdit(object, [](CTest3DObject& o) {
        o.SetPosition(5, 6, 7);
        o.SetRotation(1, 0, 0);
        o.SetScale(2, 2, 2);
        o.SetName("大桌");
        gfx::Material m = o.GetMaterial(1);
        m.diffuse = {0.5f, 0.5f, 0.5f, 0.25f};
        m.power = 9;
        o.SetMaterial(1, m);
    });
    ASSERT_EQ(list.size(), 1u);
    object.RestoreTransformFromSnapshot(Snapshot(list[0]->before));
    object.RestoreColoursFromSnapshot(Snapshot(list[0]->before));
    EXPECT_EQ(object.GetPosition(), (gfx::Vector3{1, 2, 3}));
    EXPECT_EQ(object.GetHeading(), 0.0);
    EXPECT_EQ(object.GetRealSize(), (std::array<float, 3>{2, 2, 2}));
    EXPECT_EQ(object.GetName(), "桌");
    EXPECT_EQ(object.GetMaterial(1).diffuse.a, 1.0f);
    EXPECT_EQ(object.GetMaterial(1).power, object.GetMaterial(0).power);
}

TEST(C3DObjectSnapshotTest, MaterialsComeBackWithTranslucencyAndWithoutReadingPastTheSnapshot) {
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    CObjectSnapshot before(object);
    gfx::Material m = object.GetMaterial(0);
    m.diffuse.a = 0.5f;
    object.SetMaterial(0, m);
    object.SetBlend(1);
    object.UpdateTranslucency();
    EXPECT_EQ(object.IsTranslucent(), 1);

    object.RestoreMaterialsFromSnapshot(before);
    EXPECT_EQ(object.GetBlend(), 0);
    EXPECT_EQ(object.IsTranslucent(), 0);
    EXPECT_EQ(object.GetTextureNames(), (std::vector<std::string>{"材質", "材質"}));

    before.materials.resize(1);
    object.RestoreMaterialsFromSnapshot(before);
    EXPECT_EQ(object.GetTextureNames().size(), 2u);
}

TEST(C3DObjectSnapshotTest, ShadowLightsComeBackByNumberAndDeletedOnesAreDropped) {
    FakeSceneServices scene;
    CTest3DObject first(kLightObjectType);
    CTest3DObject second(kLightObjectType);
    first.SetNumber(1);
    second.SetNumber(2);
    scene.lists[kLightObjectType] = {&first, &second};

    CTest3DObject object;
    object.ShadowLights() = {&second, &first};
    object.SetShadowReceiver(1);
    const CObjectSnapshot before(object);
    object.ShadowLights().clear();
    object.SetShadowReceiver(0);

    scene.lists[kLightObjectType] = {&first};
    object.RestoreShadowSettingsFromSnapshot(before);
    EXPECT_EQ(object.GetShadowLights(), (std::vector<C3DObject*>{&first}));
    EXPECT_EQ(object.GetShadowReceiver(), 1);
}
