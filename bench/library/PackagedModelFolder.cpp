#include "PackagedModelFolder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "objects/ModelPackageWriter.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshMaterial.h"
#include "platform/gfx/XFileWriter.h"

namespace {

constexpr std::array<const char*, 8> kFurnitureNames = {"書桌", "餐椅",   "沙發", "衣櫃",
                                                        "書架", "雙人床", "茶几", "邊櫃"};

// A 60 cm cube on the floor: eight corners, twelve triangles.
std::vector<std::uint8_t> CubeMeshFile(std::string* error) {
    std::unique_ptr<gfx::Mesh> mesh;
    if (gfx::Failed(gfx::Mesh::Create(12, 8, 0, gfx::kFvfXyz, nullptr, &mesh, error))) {
        return {};
    }
    const std::span<gfx::Vector3> corners = mesh->EditVerticesAs<gfx::Vector3>();
    for (std::uint32_t k = 0; k < 8; ++k) {
        corners[k] = {(k & 1) != 0 ? 30.0f : -30.0f, (k & 2) != 0 ? 60.0f : 0.0f,
                      (k & 4) != 0 ? 30.0f : -30.0f};
    }
    constexpr std::array<std::uint16_t, 36> kFaces = {0, 2, 3, 0, 3, 1, 4, 5, 7, 4, 7, 6,
                                                      0, 1, 5, 0, 5, 4, 2, 6, 7, 2, 7, 3,
                                                      0, 4, 6, 0, 6, 2, 1, 3, 7, 1, 7, 5};
    std::copy(kFaces.begin(), kFaces.end(), mesh->EditIndices16().begin());
    const std::array<gfx::MeshMaterial, 1> materials{};
    std::string file;
    if (gfx::Failed(gfx::EncodeMeshToX(*mesh, materials, &file, error))) {
        return {};
    }
    return {file.begin(), file.end()};
}

// A 128 x 96 24-bit BMP file image, the size of the library's previews: a
// grey ground with a darker square in the middle.
std::vector<std::uint8_t> PreviewBitmap() {
    constexpr std::uint32_t kWidth = 128;
    constexpr std::uint32_t kHeight = 96;
    constexpr std::uint32_t kHeaders = 14 + 40;
    constexpr std::uint32_t kPixels = kWidth * kHeight * 3;
    std::vector<std::uint8_t> bmp;
    const auto add = [&bmp](std::uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k) {
            bmp.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
        }
    };
    bmp = {'B', 'M'};
    add(kHeaders + kPixels, 4);
    add(0, 4);
    add(kHeaders, 4);
    add(40, 4);
    add(kWidth, 4);
    add(kHeight, 4);
    add(1, 2);
    add(24, 2);
    add(0, 4);
    add(kPixels, 4);
    add(2835, 4);
    add(2835, 4);
    add(0, 4);
    add(0, 4);
    for (std::uint32_t y = 0; y < kHeight; ++y) {
        for (std::uint32_t x = 0; x < kWidth; ++x) {
            const bool inside = x >= 32 && x < 96 && y >= 16 && y < 80;
            bmp.insert(bmp.end(), 3, inside ? 0x60 : 0xEE);
        }
    }
    return bmp;
}

}  // namespace

bool WritePackagedModelFolder(const std::filesystem::path& folder, int count, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    PackagedModelContents contents;
    contents.mesh = CubeMeshFile(error);
    if (contents.mesh.empty()) {
        return false;
    }
    contents.preview = PreviewBitmap();
    contents.vendor = "示範家具行";
    contents.description = "六十公分見方的示範模型";
    contents.edges = {{{-30, 0, -30}, {30, 0, -30}, {0, 0, -1}},
                      {{30, 0, -30}, {30, 0, 30}, {1, 0, 0}},
                      {{30, 0, 30}, {-30, 0, 30}, {0, 0, 1}},
                      {{-30, 0, 30}, {-30, 0, -30}, {-1, 0, 0}}};
    for (int k = 0; k < count; ++k) {
        char number[16];
        std::snprintf(number, sizeof number, "-%04d", k + 1);
        const std::string fileName =
            kFurnitureNames[static_cast<std::size_t>(k) % kFurnitureNames.size()] +
            std::string(number) + ".qvx";
        contents.name = PackageNameOfPath(fileName);
        contents.modelNumber = "M" + std::to_string(k + 1);
        contents.price = static_cast<float>(1000 + 10 * k);
        // Every other model links to its maker's page, as catalogue models do.
        contents.webLink = k % 2 == 0 ? "https://example.com/models/" + contents.name : "";
        if (!WriteModelPackage(folder / fileName, contents, error)) {
            return false;
        }
    }
    return true;
}
