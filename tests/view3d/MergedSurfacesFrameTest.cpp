#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FrameFixture.h"
#include "foundation/MeshVertex.h"
#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/Texture.h"

namespace {

// A room of a floor, a ceiling and walls in two colours and a texture,
// turned and scaled so that merged vertices and normals must be placed as
// the objects' own matrices place them; the frame drawn from merged buffers
// is compared with the frame drawn object by object.
class MergedSurfacesFrameTest : public SceneFrameTest {
protected:
    void SetUp() override {
        SceneFrameTest::SetUp();
        renderer->OnSize(kWindowWidth, kWindowHeight);
        const uint32_t checks[4] = {0xFFC03020, 0xFF20A0E0, 0xFF20A0E0, 0xFFC03020};
        gfx::Texture* texture = nullptr;
        ASSERT_EQ(gfx::kOk, Device()->CreateTextureFromPixels(2, 2, checks, 0,
                                                              gfx::Format::X8R8G8B8, &texture));
        m_texture = gfx::ResourceRef<gfx::Texture>::Adopt(texture);

        m_floor = AddSolid(kFloorObjectType, {-200, -2, -50}, {200, 0, 300}, kSand);
        m_ceiling = AddSolid(kCeilingObjectType, {-200, 250, -50}, {200, 252, 300}, kStone);
        m_back = AddSolid(kWallObjectType, {-200, 0, 300}, {200, 250, 320}, kStone);
        m_left = AddSolid(kWallObjectType, {-20, 0, -50}, {0, 250, 320}, kSand);
        m_left->SetPosition(-200, 0, 0);
        m_left->SetRotation(0.2f, 0.0f, 0.0f);
        m_left->UpdateWorldMatrix();
        m_right = AddSolid(kWallObjectType, {0, 0, -50}, {20, 125, 320}, kStone);
        m_right->SetPosition(180, 0, 0);
        m_right->SetScale(1.0f, 2.0f, 1.0f);
        m_right->UpdateWorldMatrix();
        for (int i = 0; i < 2; ++i) {
            m_right->SetTexturePointer(i, m_texture.Get());
            m_floor->SetTexturePointer(i, m_texture.Get());
        }
        AddSolid(kModelObjectType, {-140, 0, 150}, {-40, 70, 230}, {60, 110, 170});

        CHousViewCamera& camera = renderer->GetCamera();
        camera.SetCameraAngles(0.0, 0.0);
        camera.SetCameraPosition({0, 125, -500});
        camera.UpdateCamera();
    }

    CTest3DObject* AddSolid(int type, const gfx::Vector3& min, const gfx::Vector3& max,
                            const Rgb& colour) {
        auto* box = new CTest3DObject(type);
        box->MakeBox(min, max, 2, Device());
        for (int i = 0; i < 2; ++i) {
            const float shade = i == 0 ? 300.0f : 400.0f;
            gfx::Material material;
            material.diffuse = {colour.r / shade, colour.g / shade, colour.b / shade, 1.0f};
            material.ambient = {colour.r / 450.0f, colour.g / 450.0f, colour.b / 450.0f, 1.0f};
            box->SetMaterial(i, material);
        }
        box->UpdateTranslucency();
        box->UpdateWorldMatrix();
        renderer->GetScene().AddObjectIfAbsent(type, box);
        return box;
    }

    gfx::Device* Device() { return renderer->GetEngine().GetDevice(); }

    std::vector<uint8_t> Frame(bool merged) {
        renderer->GetScene().SetMergeSurfaces(merged);
        EXPECT_TRUE(renderer->RenderFrame());
        std::vector<uint8_t> pixels;
        EXPECT_EQ(gfx::kOk, Device()->GetBackBufferPixels(&pixels));
        return pixels;
    }

    // Pixels whose channels differ by more than a rounding step.
    static int CountDiffering(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        int differing = 0;
        for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
            for (size_t c = 0; c < 3; ++c) {
                if (std::abs(int{a[i + c]} - int{b[i + c]}) > 1) {
                    ++differing;
                    break;
                }
            }
        }
        return differing;
    }

    static constexpr Rgb kSand = {170, 140, 100};
    static constexpr Rgb kStone = {225, 220, 200};
    gfx::ResourceRef<gfx::Texture> m_texture;
    CTest3DObject* m_floor = nullptr;
    CTest3DObject* m_ceiling = nullptr;
    CTest3DObject* m_back = nullptr;
    CTest3DObject* m_left = nullptr;
    CTest3DObject* m_right = nullptr;
};

TEST_F(MergedSurfacesFrameTest, MergedFrameIsTheObjectByObjectFrame) {
    const std::vector<uint8_t> merged = Frame(true);
    const std::vector<uint8_t> single = Frame(false);
    ASSERT_EQ(merged.size(), single.size());
    EXPECT_EQ(CountDiffering(merged, single), 0);
    // The walls were drawn at all: the frame is not the bare background.
    doc->Settings().showTexture = 0;
    EXPECT_GT(CountDiffering(Frame(true), merged), 1000);
    EXPECT_EQ(CountDiffering(Frame(true), Frame(false)), 0);
}

TEST_F(MergedSurfacesFrameTest, AnEditShowsInTheNextMergedFrame) {
    const struct {
        const char* edit;
        bool shows;
        std::function<void()> apply;
    } cases[] = {
        {"moved", true,
         [this] {
             m_back->SetPosition(0, 40, 30);
             m_back->UpdateWorldMatrix();
         }},
        {"recoloured", true,
         [this] {
             gfx::Material red;
             red.diffuse = {0.9f, 0.1f, 0.1f, 1.0f};
             m_left->SetMaterial(0, red);
             m_left->SetMaterial(1, red);
         }},
        {"texture removed", true,
         [this] {
             m_right->SetTexturePointer(0, nullptr);
             m_right->SetTexturePointer(1, nullptr);
         }},
        {"hidden", true, [this] { m_ceiling->SetHidden(1); }},
        // No selection box style is set: nothing shows, but the floor leaves
        // the merged buffer.
        {"selected", false, [this] { m_floor->SetSelected(1); }},
        {"made see-through", true,
         [this] {
             for (int i = 0; i < 2; ++i) {
                 gfx::Material glass = m_back->GetMaterial(i);
                 glass.diffuse.a = 0.4f;
                 m_back->SetMaterial(i, glass);
             }
             m_back->UpdateTranslucency();
         }},
        {"moved to the storey above", true, [this] { m_left->SetFloorIndex(1); }},
        {"reshaped", true,
         [this] {
             for (MeshVertex& v : m_right->GetMesh()->EditVerticesAs<MeshVertex>()) {
                 v.y *= 0.5f;
             }
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        const std::vector<uint8_t> before = Frame(true);
        c.apply();
        const std::vector<uint8_t> after = Frame(true);
        if (c.shows) {
            EXPECT_GT(CountDiffering(after, before), 100);
        }
        EXPECT_EQ(CountDiffering(after, Frame(false)), 0);
    }
}

}  // namespace
