#include "FixedFiles.h"

#include <cstdlib>
#include <string>

#include "GlyphMeshes.h"
#include "IconSymbols.h"
#include "LibraryOutput.h"
#include "platform/gfx/XFileWriter.h"
#include "platform/image/BmpWriter.h"
#include "platform/image/Raster.h"

namespace {

constexpr int kThumbnailWidth = 128;
constexpr int kThumbnailHeight = 96;

void SetPixel(image::Raster& raster, int x, int y, std::uint8_t grey) {
    std::uint8_t* pixel = raster.bgra.data() + (static_cast<std::size_t>(y) * raster.width + x) * 4;
    pixel[0] = pixel[1] = pixel[2] = grey;
    pixel[3] = 255;
}

// A light grey card with a frame and a cross: "no picture".
std::string NoPictureBmp() {
    image::Raster raster;
    image::AllocateRaster(raster, kThumbnailWidth, kThumbnailHeight);
    for (int y = 0; y < kThumbnailHeight; ++y) {
        for (int x = 0; x < kThumbnailWidth; ++x) {
            const bool frame =
                x < 2 || y < 2 || x >= kThumbnailWidth - 2 || y >= kThumbnailHeight - 2;
            // The two diagonals, two pixels wide.
            const int down = x * kThumbnailHeight - y * kThumbnailWidth;
            const int up = x * kThumbnailHeight - (kThumbnailHeight - 1 - y) * kThumbnailWidth;
            const bool cross = std::abs(down) < kThumbnailWidth || std::abs(up) < kThumbnailWidth;
            SetPixel(raster, x, y, frame || cross ? 150 : 225);
        }
    }
    const std::vector<std::uint8_t> bmp = image::EncodeBmp24(raster);
    return std::string(bmp.begin(), bmp.end());
}

}  // namespace

void WriteFixedFiles(LibraryOutput& output) {
    output.Write("NoPic.bmp", NoPictureBmp());
    for (const NamedDrawing& icon : MakeIconSymbols()) {
        output.Write(std::string(kIconFolder) + "/" + icon.fileName, EncodeDxf(icon.drawing));
    }
    for (const GlyphMesh& glyph : MakeLightGlyphs()) {
        std::string file;
        std::string error;
        if (gfx::EncodeMeshToX(*glyph.mesh, glyph.materials, &file, &error) < 0) {
            output.Fail(glyph.fileName + "：" + error);
            return;
        }
        output.Write(glyph.fileName, file);
    }
}
