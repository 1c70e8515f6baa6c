#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "Furniture.h"
#include "LibraryOutput.h"
#include "Manifest.h"
#include "Pictures.h"
#include "ProceduralTextures.h"
#include "StarterLibrary.h"
#include "objects/DxfSymbol.h"
#include "objects/MaterialFileReader.h"
#include "objects/PhotoObject.h"
#include "platform/fs/DefaultContent.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"
#include "platform/gfx/XFileReader.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

const std::filesystem::path kShipped = VELMORA_BUILD_STARTER_LIBRARY_DIR;

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every regular file below root, relative with '/' separators.
std::set<std::string> FilesBelow(const std::filesystem::path& root) {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files.insert(entry.path().lexically_relative(root).generic_string());
        }
    }
    return files;
}

void Generate(const std::filesystem::path& folder) {
    LibraryOutput output(folder);
    WriteStarterLibrary(output);
    ASSERT_TRUE(output.Ok()) << output.Error();
}

TEST(StarterLibraryTest, TwoRunsWriteTheShippedBytes) {
    TempFolder first;
    TempFolder second;
    Generate(first.Path());
    Generate(second.Path());
    const std::set<std::string> files = FilesBelow(kShipped);
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(FilesBelow(first.Path()), files);
    EXPECT_EQ(FilesBelow(second.Path()), files);
    for (const std::string& file : files) {
        const std::string shipped = ReadBytes(kShipped / file);
        EXPECT_EQ(ReadBytes(first.Path() / file), shipped) << file;
        EXPECT_EQ(ReadBytes(second.Path() / file), shipped) << file;
    }
}

// A folder that cannot be written fails the run instead of leaving a
// partial library that looks complete.
TEST(StarterLibraryTest, UnwritableFolderFailsTheRun) {
    TempFolder folder;
    const auto blocked = folder.Write("library", "a file in the way");
    LibraryOutput output(blocked);
    WriteStarterLibrary(output);
    EXPECT_FALSE(output.Ok());
    EXPECT_NE(output.Error().find(blocked.string()), std::string::npos) << output.Error();
    EXPECT_TRUE(output.Written().empty());
}

// Run from the build tree, a new program folder is filled from the library
// this build generated.
TEST(StarterLibraryTest, NewProgramFolderFromTheBuildTreeGetsTheLibrary) {
    const auto content = pfs::DefaultHomeContent(pfs::FindResourceFolder(std::filesystem::path()));
    EXPECT_EQ(std::filesystem::weakly_canonical(content),
              std::filesystem::weakly_canonical(kShipped));
    TempFolder home;
    const pfs::Result<void> filled = pfs::FillProgramFolder(home.Path() / "velmora", content);
    ASSERT_TRUE(filled.Ok()) << filled.Error();
    EXPECT_EQ(FilesBelow(home.Path() / "velmora"), FilesBelow(kShipped));
}

TEST(StarterLibraryTest, ManifestListsEveryOtherFileWithItsSourceAndLicence) {
    const std::string manifest = ReadBytes(kShipped / kManifestFileName);
    std::set<std::string> listed;
    std::istringstream lines(manifest);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        const std::string file = line.substr(0, tab);
        EXPECT_EQ(line.substr(tab), "\tgenerated\tGPL-2.0-or-later") << line;
        EXPECT_TRUE(listed.insert(file).second) << "listed twice: " << file;
    }
    std::set<std::string> files = FilesBelow(kShipped);
    files.erase(kManifestFileName);
    EXPECT_EQ(listed, files);
}

TEST(StarterLibraryTest, PlaceholderThumbnailReadsAsAPicture) {
    image::CImage picture;
    ASSERT_TRUE(picture.Load((kShipped / "NoPic.bmp").string())) << picture.GetLastError();
    EXPECT_EQ(picture.GetWidth(), 128);
    EXPECT_EQ(picture.GetHeight(), 96);
    // The frame is darker than the card inside it.
    EXPECT_LT(picture.GetPixelColor(0, 0).r, picture.GetPixelColor(64, 20).r);
}

TEST(StarterLibraryTest, IconSymbolsReadWithTheirExtentsAndLines) {
    for (const char* name : {"squrt.dxf", "L1.dxf", "L2.dxf", "L3.dxf", "100-1.dxf"}) {
        SCOPED_TRACE(name);
        CDxfSymbol symbol;
        ASSERT_EQ(symbol.LoadFile((kShipped / "2dicon" / name).string()), S_OK);
        EXPECT_EQ(symbol.GetExtentsMin(), CVector2D(0, 0));
        EXPECT_EQ(symbol.GetExtentsMax(), CVector2D(100, 100));
        ASSERT_GE(symbol.GetLines().size(), 4u);
        for (const CDxfSymbol::Line& line : symbol.GetLines()) {
            for (const CVector2D& p : {line.start, line.end}) {
                EXPECT_GE(p.x, -1e-9);
                EXPECT_LE(p.x, 100 + 1e-9);
                EXPECT_GE(p.y, -1e-9);
                EXPECT_LE(p.y, 100 + 1e-9);
            }
        }
    }
}

int Brightness(const image::Color& c) {
    return c.r + c.g + c.b;
}

// A material file's image, decoded from the .bmp the library scans make of it.
image::CImage MaterialImage(const MaterialFileRecord& record) {
    image::CImage picture;
    EXPECT_TRUE(picture.Decode(record.data.data(), record.data.size(), image::ImageFormat::Bmp))
        << picture.GetLastError();
    return picture;
}

// Light and dark pixels: no flat colour.
int ContrastOf(const image::CImage& picture) {
    int darkest = 3 * 255;
    int brightest = 0;
    for (int y = 0; y < picture.GetHeight(); y += 3) {
        for (int x = 0; x < picture.GetWidth(); x += 3) {
            const int b = Brightness(picture.GetPixelColor(x, y));
            darkest = std::min(darkest, b);
            brightest = std::max(brightest, b);
        }
    }
    return brightest - darkest;
}

TEST(StarterLibraryTest, TexturesAreMaterialFilesWithTheirTileSizes) {
    ASSERT_FALSE(StarterTextures().empty());
    for (const TextureRecipe& recipe : StarterTextures()) {
        SCOPED_TRACE(recipe.fileName);
        MaterialFileRecord record;
        ASSERT_TRUE(LoadMaterialFile(
            (kShipped / kTextureFolder / recipe.category / recipe.fileName).string(), record,
            kMaterialFileQvp, true));
        EXPECT_GT(recipe.widthCm, 0);
        EXPECT_GT(recipe.heightCm, 0);
        EXPECT_EQ(record.width, recipe.widthCm);
        EXPECT_EQ(record.height, recipe.heightCm);
        EXPECT_EQ(record.GetName(), recipe.name);
        EXPECT_EQ(record.GetVendor(), kStarterVendor);
        const image::CImage picture = MaterialImage(record);
        ASSERT_EQ(picture.GetWidth(), kTextureSide);
        ASSERT_EQ(picture.GetHeight(), kTextureSide);
        EXPECT_GT(ContrastOf(picture), 15) << "a flat colour";
        if (recipe.pattern == TexturePattern::Tiles || recipe.pattern == TexturePattern::Brick) {
            // Grout and mortar run along the top and left edges.
            const image::Color joint = picture.GetPixelColor(2, kTextureSide / 2 + 15);
            const image::Color face =
                picture.GetPixelColor(kTextureSide / 4, kTextureSide / 2 + 15);
            EXPECT_NE(joint, face);
        }
    }
}

TEST(StarterLibraryTest, PicturesAreMaterialFilesInTheFoldersTheProgramKnows) {
    std::set<std::string> folders;
    for (const PictureRecipe& recipe : StarterPictures()) {
        SCOPED_TRACE(recipe.fileName);
        folders.insert(recipe.folder);
        const std::string path =
            (kShipped / kPictureFolder / recipe.folder / recipe.fileName).string();
        MaterialFileRecord record;
        ASSERT_TRUE(LoadMaterialFile(path, record, kMaterialFileQvp, true));
        EXPECT_EQ(record.GetName(), recipe.name);
        EXPECT_EQ(record.GetDescription(), recipe.description);
        EXPECT_EQ(record.GetSerialNumber(), recipe.serialNumber);
        EXPECT_EQ(record.GetVendor(), kStarterVendor);
        EXPECT_EQ(record.width, recipe.widthCm);
        EXPECT_EQ(record.height, recipe.heightCm);
        EXPECT_EQ(record.price, recipe.price);
        // The picture keeps the shape of the real thing.
        EXPECT_NEAR(record.pixelWidth / record.pixelHeight, recipe.widthCm / recipe.heightCm, 0.02);
        const image::CImage picture = MaterialImage(record);
        EXPECT_EQ(picture.GetWidth(), recipe.pixelWidth);
        EXPECT_GT(ContrastOf(picture), 60) << "a flat colour";

        const bool lightMap = recipe.folder == "A01光圖";
        const bool shadowMap = recipe.folder == kShadowPictureFolder;
        EXPECT_EQ(GetPictureMapKind(path), lightMap ? 1 : shadowMap ? 2 : 0);
        EXPECT_EQ(IsPlainPicture(path), recipe.folder == "海報" ? 1 : 0);
        if (lightMap || shadowMap) {
            // Keyed out around the glow or the shadow: the corners are
            // exactly black.
            EXPECT_EQ(Brightness(picture.GetPixelColor(0, 0)), 0);
        }
    }
    EXPECT_EQ(folders,
              (std::set<std::string>{"A01光圖", "A02陰影圖", "海報", "窗簾", "地毯", "地磚"}));
    // The 3D view's shadow picture, where it looks for it.
    EXPECT_TRUE(
        std::filesystem::is_regular_file(kShipped / "STPicture" / "A02陰影圖" / "A0201001.qvp"));
}

struct GlyphCase {
    const char* name;
    gfx::Vector3 min;
    gfx::Vector3 max;
};

// Positions of a flat-shaded mesh of position + normal vertices.
struct GlyphVertex {
    gfx::Vector3 position;
    gfx::Vector3 normal;
};

TEST(StarterLibraryTest, LightGlyphsLoadThroughTheMeshLoader) {
    const GlyphCase cases[] = {
        {"point.x", {-8, -8, -8}, {8, 8, 8}},
        {"sptlight.x", {-8, -8, 0}, {8, 8, 16}},
        {"DIRLIGHT.x", {-6, -6, 0}, {6, 6, 30}},
    };
    for (const GlyphCase& c : cases) {
        SCOPED_TRACE(c.name);
        gfx::LoadedMesh loaded;
        std::string error;
        ASSERT_GE(gfx::LoadMeshFromX((kShipped / c.name).string(), gfx::kMeshManaged, nullptr,
                                     &loaded, &error),
                  0)
            << error;
        ASSERT_TRUE(loaded.mesh);
        ASSERT_EQ(loaded.materials.size(), 1u);
        EXPECT_GT(loaded.materials[0].material.diffuse.r, 0.5f);
        EXPECT_GT(loaded.mesh->GetNumFaces(), 20u);
        for (uint32_t attribute : loaded.mesh->Attributes()) {
            EXPECT_EQ(attribute, 0u);
        }
        std::span<const GlyphVertex> vertices = loaded.mesh->VerticesAs<GlyphVertex>();
        ASSERT_EQ(vertices.size(), loaded.mesh->GetNumVertices());
        gfx::Vector3 min = vertices[0].position;
        gfx::Vector3 max = min;
        for (const GlyphVertex& v : vertices) {
            min = gfx::Vec3Minimize(min, v.position);
            max = gfx::Vec3Maximize(max, v.position);
        }
        for (int axis = 0; axis < 3; ++axis) {
            const float* got[2] = {&min.x, &max.x};
            const float* want[2] = {&c.min.x, &c.max.x};
            EXPECT_NEAR(got[0][axis], want[0][axis], 0.01f) << "min axis " << axis;
            EXPECT_NEAR(got[1][axis], want[1][axis], 0.01f) << "max axis " << axis;
        }
    }
}

// The ball's faces are clockwise seen from outside, the device's front face,
// so the glyph is not drawn inside out.
TEST(StarterLibraryTest, PointGlyphFacesOutward) {
    gfx::LoadedMesh loaded;
    ASSERT_GE(
        gfx::LoadMeshFromX((kShipped / "point.x").string(), gfx::kMeshManaged, nullptr, &loaded),
        0);
    std::span<const GlyphVertex> vertices = loaded.mesh->VerticesAs<GlyphVertex>();
    for (uint32_t f = 0; f < loaded.mesh->GetNumFaces(); ++f) {
        const auto face = loaded.mesh->GetFace(f);
        const gfx::Vector3& a = vertices[face[0]].position;
        const gfx::Vector3& b = vertices[face[1]].position;
        const gfx::Vector3& c = vertices[face[2]].position;
        const gfx::Vector3 normal = gfx::Vec3Cross(b - a, c - a);
        EXPECT_GT(gfx::Vec3Dot(normal, a + b + c), 0.0f) << "face " << f;
        EXPECT_GT(gfx::Vec3Dot(vertices[face[0]].normal, a + b + c), 0.0f) << "face " << f;
    }
}

}  // namespace
