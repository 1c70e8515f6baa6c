#include "library/ModelPreviewRenderer.h"

#include <gtest/gtest.h>

#include <epoxy/egl.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "objects/FakeDocumentServices.h"

namespace {

const std::filesystem::path kStarterLibrary = VELMORA_BUILD_STARTER_LIBRARY_DIR;

int CountNonWhite(const std::vector<uint8_t>& bgra) {
    int count = 0;
    for (size_t i = 0; i + 3 < bgra.size(); i += 4) {
        if (bgra[i] < 240 || bgra[i + 1] < 240 || bgra[i + 2] < 240) {
            ++count;
        }
    }
    return count;
}

TEST(ModelPreviewRenderer, DrawsTheTurnedModelAndGivesItsMeshSize) {
    FakeDocumentServices document;
    CModelPreviewRenderer renderer(96, 80);
    ASSERT_TRUE(renderer.IsAvailable());
    ASSERT_TRUE(renderer.LoadModel((kStarterLibrary / "SModel/01桌椅/餐椅.qvx").string()));

    const std::optional<std::array<float, 3>> size = renderer.GetModelSize();
    ASSERT_TRUE(size);
    for (float extent : *size) {
        EXPECT_GT(extent, 1.0f);
    }

    const std::vector<uint8_t> front = renderer.Render(0.0f);
    ASSERT_EQ(front.size(), 96u * 80u * 4u);
    // The model fills a fair part of the frame, and turning it changes it.
    EXPECT_GT(CountNonWhite(front), 96 * 80 / 20);
    EXPECT_NE(renderer.Render(1.2f), front);
    // No context is left current for the windows' own.
    EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);
}

TEST(ModelPreviewRenderer, AFileWithoutAModelShowsNothing) {
    FakeDocumentServices document;
    CModelPreviewRenderer renderer(32, 32);
    EXPECT_FALSE(renderer.LoadModel((kStarterLibrary / "NoPic.bmp").string()));
    EXPECT_FALSE(renderer.GetModelSize());
    EXPECT_TRUE(renderer.Render(0.0f).empty());
}

}  // namespace
