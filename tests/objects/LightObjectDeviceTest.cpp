#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "OffscreenDevice.h"
#include "SurfaceRecordBytes.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "objects/LightObject.h"
#include "platform/gfx/MathTypes.h"
#include "support/ByteSink.h"
#include "support/TempFolder.h"

namespace {

// A point light record whose diffuse red tells the light apart.
std::string PointLightRecord(int32_t index, float red) {
    ByteSink sink;
    sink.Double(index).Int(index).Int(1);
    sink.Floats({0.0f, 0.0f, 0.0f, 10.0f, 20.0f, 30.0f});
    sink.Floats({red, 0.5f, 0.5f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    sink.Floats({-0.0f, 0.0f, 1.0f, 500.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    sink.Text("光源");
    return sink.Bytes();
}

class LightObjectDeviceTest : public OffscreenDeviceTest {
protected:
    // Makes the device send its lights to GL.
    void Draw() {
        const gfx::Vector3 triangle[3] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
        ASSERT_EQ(gfx::kOk, m_device->SetFVF(gfx::kFvfXyz));
        ASSERT_EQ(gfx::kOk, m_device->DrawPrimitiveUP(gfx::PrimitiveType::TriangleList, 1, triangle,
                                                      sizeof(gfx::Vector3)));
    }

    // The diffuse reds of the GL lights that are on, in GL order.
    static std::vector<float> ShownReds() {
        std::vector<float> reds;
        for (GLenum light = GL_LIGHT0; light < GL_LIGHT0 + 8; ++light) {
            if (glIsEnabled(light)) {
                GLfloat diffuse[4] = {};
                glGetLightfv(light, GL_DIFFUSE, diffuse);
                reds.push_back(diffuse[0]);
            }
        }
        return reds;
    }
};

}  // namespace

TEST_F(LightObjectDeviceTest, IndicesFromAFileGoThroughTheDeviceAndTheLowestEightShow) {
    // Ten lights with indices far beyond GL's light numbers, read out of
    // order.
    std::vector<std::unique_ptr<CLightObject>> lights;
    for (const int index : {130, 100, 190, 120, 110, 180, 170, 160, 150, 140}) {
        auto light = std::make_unique<CLightObject>();
        light->SetDevice(m_device.get());
        ASSERT_EQ(ReadRecordBytes(*light, PointLightRecord(index, index / 1000.0f)).result, S_OK);
        lights.push_back(std::move(light));
    }
    bool enabled = false;
    ASSERT_EQ(gfx::kOk, m_device->GetLightEnable(190, &enabled));
    EXPECT_TRUE(enabled);
    gfx::Light stored;
    ASSERT_EQ(gfx::kOk, m_device->GetLight(150, &stored));
    EXPECT_FLOAT_EQ(stored.diffuse.r, 0.15f);
    EXPECT_EQ(stored.position.z, 30.0f);

    Draw();
    const std::vector<float> expected = {0.10f, 0.11f, 0.12f, 0.13f, 0.14f, 0.15f, 0.16f, 0.17f};
    std::vector<float> shown = ShownReds();
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_FLOAT_EQ(shown[i], expected[i]) << i;
    }

    // A deleted light is switched off and the next one takes its place.
    lights.erase(lights.begin() + 1);  // index 100
    ASSERT_EQ(gfx::kOk, m_device->GetLightEnable(100, &enabled));
    EXPECT_FALSE(enabled);
    Draw();
    shown = ShownReds();
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_FLOAT_EQ(shown.front(), 0.11f);
    EXPECT_FLOAT_EQ(shown.back(), 0.18f);
}

TEST_F(LightObjectDeviceTest, SelectedLightsDrawTheirGlyphAndGizmoOnTheDevice) {
    TempFolder folder;
    const std::filesystem::path box =
        std::filesystem::path(VELMORA_TEST_DATA_DIR) / "gfx/box_two_materials.x";
    for (const char* name : {"point.x", "sptlight.x", "DIRLIGHT.x"}) {
        std::filesystem::copy_file(box, folder.Path() / name);
    }
    SetProgramFolder(folder.Path());
    std::vector<std::string> messages;
    const CScopedPromptHandlers handlers([&messages](const MessageRequest& request) {
        messages.push_back(request.text);
        return PromptAnswer::Ok;
    });
    CLightObject::InitSharedResources(m_device.get());
    ASSERT_TRUE(messages.empty());
    for (const int type : {1, 2, 3}) {
        SCOPED_TRACE(type);
        CLightObject light;
        light.SetDevice(m_device.get());
        light.SetLightType(type);
        light.LightSettings().range = 100.0f;
        light.LightSettings().theta = 0.5f;
        light.LightSettings().phi = 1.0f;
        light.UpdateLight();
        light.SetSelected(1);
        ASSERT_NE(light.GetMesh(), nullptr);
        light.Render();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    CLightObject::ReleaseSharedResources();
}
