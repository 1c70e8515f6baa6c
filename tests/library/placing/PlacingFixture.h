#pragma once

// A document with a scene on an offscreen EGL device, in a program folder
// holding a copy of the generated starter library, and the catalogue
// entries scanned from it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/DocumentFixture.h"
#include "document/LibraryBrowserLink.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "objects/LibraryCatalog.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"
#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"

namespace placing_test {

inline const std::filesystem::path kStarterLibrary = VELMORA_BUILD_STARTER_LIBRARY_DIR;

// The scene renders for this: the offscreen device and the camera's eye.
class FakeRenderTarget : public ISceneRenderTarget {
public:
    gfx::Device* GetDevice() const override { return device; }
    void SetDefaultRenderStates() override {}
    void DrawGrid() override {}
    bool IsOrthographic() const override { return false; }
    float GetEyeHeight() const override { return eyeHeight; }

    gfx::Device* device = nullptr;
    float eyeHeight = 150.0f;
};

// A 24-bit .bmp of the size, one colour throughout.
inline void WriteBmp(const std::filesystem::path& path, int32_t width, int32_t height) {
    const int32_t row = (width * 3 + 3) / 4 * 4;
    const int32_t imageSize = row * height;
    std::string bytes = "BM";
    const auto put32 = [&bytes](int32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    const auto put16 = [&bytes](int32_t value) {
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>((value >> 8) & 0xFF));
    };
    put32(54 + imageSize);
    put32(0);
    put32(54);
    put32(40);
    put32(width);
    put32(height);
    put16(1);
    put16(24);
    put32(0);
    put32(imageSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    bytes.append(static_cast<std::size_t>(imageSize), '\x60');
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class PlacingTest : public SceneTest {
protected:
    static void SetUpTestSuite() {
        if (!s_context) {
            s_context = gfx::EglOffscreenContext::Create(32, 32, &s_error);
        }
    }

    void SetUp() override {
        SceneTest::SetUp();
        ASSERT_TRUE(s_context) << s_error;
        m_adapter = gfx::Adapter::Create(*s_context);
        ASSERT_TRUE(m_adapter);
        gfx::PresentParameters params;
        params.backBufferWidth = 32;
        params.backBufferHeight = 32;
        params.backBufferFormat = gfx::Format::A8R8G8B8;
        params.deviceWindow = s_context.get();
        ASSERT_EQ(gfx::kOk, m_adapter->CreateDevice(gfx::DeviceType::Hal, s_context.get(),
                                                    gfx::kCreateHardwareVertexProcessing, &params,
                                                    &m_device));
        target.device = m_device.get();
        scene->SetRenderTarget(&target);
        view3D.eye = {1000.0f, 150.0f, -1000.0f};
        view3D.heading = 0.0;
        std::filesystem::copy(kStarterLibrary, PathOf(""),
                              std::filesystem::copy_options::recursive);
    }

    void TearDown() override {
        // The objects release their textures while the device still exists.
        scene->ClearScene();
        scene->SetRenderTarget(nullptr);
        SceneTest::TearDown();
        m_device.reset();
    }

    // The catalogue's entry of a model file of the starter library, found by
    // a scan of the model folder.
    ModelCatalogEntry ModelEntry(const std::string& fileName) {
        CLibraryCatalog catalog(std::make_unique<CModelDatabase>(), doc->GetProgramFolder());
        catalog.SetKind(kCatalogKindModels);
        CatalogEntryList list;
        catalog.GetFolderEntries(doc->GetModelFolder(), list);
        for (const std::shared_ptr<void>& item : list) {
            auto& entry = *std::static_pointer_cast<ModelCatalogEntry>(item);
            if (entry.filePath.ends_with("/" + fileName)) {
                ModelCatalogEntry copy;
                copy.name = entry.name;
                copy.filePath = entry.filePath;
                copy.width = entry.width;
                copy.depth = entry.depth;
                copy.height = entry.height;
                copy.price = entry.price;
                return copy;
            }
        }
        ADD_FAILURE() << fileName << " is not in the catalogue";
        return {};
    }

    // A picture entry of a file written into the picture folder.
    PictureCatalogEntry PictureEntry(const std::string& relative, int width, int height) {
        PictureCatalogEntry entry;
        entry.filePath = PathOf("STPicture/" + relative).string();
        entry.name = std::filesystem::path(relative).stem().string();
        WriteBmp(entry.filePath, width, height);
        return entry;
    }

    static void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
        std::filesystem::create_directories(path.parent_path());
        WriteBytes(path, bytes);
    }

    std::vector<CModelObject*> Models() {
        std::vector<CModelObject*> models;
        for (CDesignObject* object : scene->Objects(kModelObjectType)) {
            models.push_back(static_cast<CModelObject*>(object));
        }
        return models;
    }
    std::vector<CPhotoObject*> Photos() {
        std::vector<CPhotoObject*> photos;
        for (CDesignObject* object : scene->Objects(kPhotoObjectType)) {
            photos.push_back(static_cast<CPhotoObject*>(object));
        }
        return photos;
    }

    static LibraryDropPoint Drop(float x, float z, float y, int centre) {
        LibraryDropPoint drop;
        drop.x = x;
        drop.z = z;
        drop.y = y;
        drop.centre = centre;
        return drop;
    }

    FakeRenderTarget target;
    inline static std::unique_ptr<gfx::EglOffscreenContext> s_context;
    inline static std::string s_error;
    std::unique_ptr<gfx::Adapter> m_adapter;
    std::unique_ptr<gfx::Device> m_device;
};

}  // namespace placing_test
