#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Furniture.h"
#include "FurniturePreview.h"
#include "Pictures.h"
#include "ProceduralTextures.h"
#include "foundation/Prompt.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "objects/DxfSymbol.h"
#include "objects/LibraryCatalog.h"
#include "objects/ModelPackage.h"
#include "objects/ModelPackageWriter.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"
#include "platform/gfx/XFileReader.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

const std::filesystem::path kShipped = VELMORA_BUILD_STARTER_LIBRARY_DIR;

std::string PackagePath(const FurniturePiece& piece) {
    return (kShipped / kModelFolder / piece.folder / piece.fileName).string();
}

struct MeshVertex {
    gfx::Vector3 position;
    gfx::Vector3 normal;
};

TEST(StarterFurnitureTest, EveryPackageReadsInAllThreeModes) {
    for (const FurniturePiece& piece : StarterFurniture()) {
        SCOPED_TRACE(piece.fileName);
        for (int mode : {kPackageReadAll, kPackageReadHeader, kPackageReadMesh}) {
            SCOPED_TRACE(mode);
            CModelPackage package;
            ASSERT_EQ(package.Load(PackagePath(piece), mode), 1) << package.GetLastError();
            EXPECT_EQ(package.GetVersion(), kCurrentPackageVersion);
            EXPECT_EQ(package.GetName(), PackageNameOfPath(piece.fileName));
            EXPECT_EQ(package.GetModelNumber(), piece.serialNumber);
            EXPECT_EQ(package.GetVendor(), kStarterVendor);
            EXPECT_EQ(package.GetDescription(), piece.description);
            EXPECT_EQ(package.GetPrice(), piece.price);
            EXPECT_EQ(package.GetPreview().empty(), mode == kPackageReadMesh);
            if (mode == kPackageReadAll) {
                EXPECT_EQ(package.GetSymbolName(), FurnitureSymbolName(piece));
                EXPECT_FALSE(package.GetSymbolData().empty());
                EXPECT_FALSE(package.GetEdgeRecords().empty());
            } else {
                EXPECT_TRUE(package.GetSymbolData().empty());
                EXPECT_TRUE(package.GetEdgeRecords().empty());
            }
            if (mode == kPackageReadHeader) {
                EXPECT_TRUE(package.GetMeshData().empty());
                continue;
            }
            gfx::LoadedMesh loaded;
            std::string error;
            ASSERT_GE(gfx::LoadMeshFromXInMemory(package.GetMeshData().data(),
                                                 package.GetMeshData().size(), gfx::kMeshManaged,
                                                 nullptr, &loaded, &error),
                      0)
                << error;
            EXPECT_EQ(loaded.materials.size(), piece.materials.size());
            // Centred on x and z, standing on the floor, as large as the
            // catalogue says.
            std::span<const MeshVertex> vertices = loaded.mesh->VerticesAs<MeshVertex>();
            ASSERT_FALSE(vertices.empty());
            gfx::Vector3 min = vertices[0].position;
            gfx::Vector3 max = min;
            for (const MeshVertex& v : vertices) {
                min = gfx::Vec3Minimize(min, v.position);
                max = gfx::Vec3Maximize(max, v.position);
            }
            EXPECT_NEAR(max.x - min.x, piece.width, 0.01f);
            EXPECT_NEAR(max.y - min.y, piece.height, 0.01f);
            EXPECT_NEAR(max.z - min.z, piece.depth, 6.01f) << "handles may stand out";
            EXPECT_NEAR(min.x + max.x, 0.0f, 0.01f);
            EXPECT_NEAR(min.y, 0.0f, 0.01f);
            for (uint32_t attribute : loaded.mesh->Attributes()) {
                EXPECT_LT(attribute, piece.materials.size());
            }
        }
    }
}

CModelPackage LoadWhole(const FurniturePiece& piece) {
    CModelPackage package;
    EXPECT_EQ(package.Load(PackagePath(piece), kPackageReadAll), 1) << package.GetLastError();
    return package;
}

// The browser's picture of the model: the model drawn in the middle of a
// light, even background.
TEST(StarterFurnitureTest, PreviewShowsTheModelOnALightBackground) {
    for (const FurniturePiece& piece : StarterFurniture()) {
        SCOPED_TRACE(piece.fileName);
        const CModelPackage package = LoadWhole(piece);
        image::CImage preview;
        ASSERT_TRUE(preview.Decode(package.GetPreview().data(), package.GetPreview().size(),
                                   image::ImageFormat::Bmp))
            << preview.GetLastError();
        ASSERT_EQ(preview.GetWidth(), kPreviewWidth);
        ASSERT_EQ(preview.GetHeight(), kPreviewHeight);
        const image::Color background = preview.GetPixelColor(0, 0);
        EXPECT_GT(background.r + background.g + background.b, 3 * 220);
        EXPECT_EQ(preview.GetPixelColor(kPreviewWidth - 1, kPreviewHeight - 1), background);
        int modelPixels = 0;
        int left = kPreviewWidth, right = 0, top = kPreviewHeight, bottom = 0;
        for (int y = 0; y < kPreviewHeight; ++y) {
            for (int x = 0; x < kPreviewWidth; ++x) {
                if (preview.GetPixelColor(x, y) != background) {
                    ++modelPixels;
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        // Even the thin door frame and the lamps cover a fair part.
        EXPECT_GT(modelPixels, kPreviewWidth * kPreviewHeight / 20);
        // Filling the picture one way or the other, about its middle.
        EXPECT_TRUE(right - left > kPreviewWidth / 2 || bottom - top > kPreviewHeight * 3 / 5);
        EXPECT_NEAR(left + right, kPreviewWidth, kPreviewWidth / 4);
        EXPECT_NEAR(top + bottom, kPreviewHeight, kPreviewHeight / 4);
    }
}

// The plan symbol covers the model's footprint and lies within it; the edge
// records are the model's face sides, measured from its mid-height.
TEST(StarterFurnitureTest, PlanSymbolAndEdgeRecordsFitTheModel) {
    for (const FurniturePiece& piece : StarterFurniture()) {
        SCOPED_TRACE(piece.fileName);
        const CModelPackage package = LoadWhole(piece);
        CDxfSymbol symbol;
        ASSERT_EQ(symbol.LoadFromMemory(package.GetSymbolData()), S_OK);
        EXPECT_EQ(symbol.GetExtentsMin(), CVector2D(-piece.width / 2.0, -piece.depth / 2.0));
        EXPECT_EQ(symbol.GetExtentsMax(), CVector2D(piece.width / 2.0, piece.depth / 2.0));
        ASSERT_GE(symbol.GetLines().size(), 4u);
        double minX = 1e9, maxX = -1e9;
        for (const CDxfSymbol::Line& line : symbol.GetLines()) {
            for (const CVector2D& p : {line.start, line.end}) {
                minX = std::min(minX, p.x);
                maxX = std::max(maxX, p.x);
                // Handles may stand out in front and behind.
                EXPECT_LE(std::abs(p.y), piece.depth / 2.0 + 3.01);
            }
        }
        EXPECT_NEAR(minX, -piece.width / 2.0, 1e-3);
        EXPECT_NEAR(maxX, piece.width / 2.0, 1e-3);

        for (const OutlineRecord& edge : package.GetEdgeRecords()) {
            for (const gfx::Vector3& p : {edge.pointA, edge.pointB}) {
                EXPECT_LE(std::abs(p.y), piece.height / 2.0f + 1e-3f);
                EXPECT_LE(std::abs(p.x), piece.width / 2.0f + 1e-3f);
            }
            EXPECT_NEAR(gfx::Vec3Length(edge.facing), 1.0f, 1e-4f);
            EXPECT_NE(edge.pointA, edge.pointB);
        }
    }
}

TEST(StarterFurnitureTest, LampsAndOpeningsAreWhereTheLibraryLooksForThem) {
    std::set<std::string> names;
    for (const FurniturePiece& piece : StarterFurniture()) {
        names.insert(PackageNameOfPath(piece.fileName));
        if (!piece.openingSize.empty()) {
            EXPECT_TRUE(piece.folder.starts_with("16結構-門") ||
                        piece.folder.starts_with("17結構-窗"))
                << piece.fileName;
        }
    }
    EXPECT_TRUE(names.contains("壁燈"));
    EXPECT_TRUE(std::ranges::any_of(names, [](const std::string& name) {
        return name != "壁燈" && name.find("燈") != std::string::npos;
    }));
    EXPECT_TRUE(std::filesystem::is_directory(kShipped / kModelFolder / "16結構-門" / "03門框"));
    EXPECT_TRUE(std::filesystem::is_directory(kShipped / kModelFolder / "17結構-窗"));
}

// The shipped catalogue, read through the library code over the shipped
// folders, on a copy so the scans cannot change it.
class StarterCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_copy = m_folder.Path() / CLibraryCatalog::kCatalogFileName;
        std::filesystem::copy_file(kShipped / CLibraryCatalog::kCatalogFileName, m_copy);
        ASSERT_EQ(m_database.Open(m_copy.string()), 1);
    }
    void TearDown() override {
        m_database.Close();
        EXPECT_TRUE(m_messages.empty()) << m_messages.front();
    }

    TempFolder m_folder;
    std::filesystem::path m_copy;
    CModelDatabase m_database;
    std::vector<std::string> m_messages;
    CScopedPromptHandlers m_prompts{[this](const MessageRequest& request) {
        m_messages.push_back(request.text);
        return PromptAnswer::Ok;
    }};
};

TEST_F(StarterCatalogueTest, EveryModelHasItsRow) {
    CatalogEntryList list;
    m_database.ScanModelFolder((kShipped / kModelFolder).string(), list);
    ASSERT_EQ(list.size(), StarterFurniture().size());
    for (const FurniturePiece& piece : StarterFurniture()) {
        SCOPED_TRACE(piece.fileName);
        const auto found = std::ranges::find_if(list, [&](const std::shared_ptr<void>& item) {
            return std::static_pointer_cast<ModelCatalogEntry>(item)->filePath.ends_with(
                piece.fileName);
        });
        ASSERT_NE(found, list.end());
        const auto& entry = *std::static_pointer_cast<ModelCatalogEntry>(*found);
        EXPECT_EQ(entry.name, PackageNameOfPath(piece.fileName));
        EXPECT_EQ(entry.width, piece.width);
        EXPECT_EQ(entry.depth, piece.depth);
        EXPECT_EQ(entry.height, piece.height);
        EXPECT_EQ(entry.price, piece.price);
        EXPECT_EQ(entry.description, piece.description);
        EXPECT_EQ(entry.serialNumber, piece.serialNumber);
        EXPECT_EQ(entry.vendor, kStarterVendor);
        EXPECT_EQ(entry.rate, 0);
    }
}

TEST_F(StarterCatalogueTest, EveryTextureHasItsTileSize) {
    for (const TextureRecipe& recipe : StarterTextures()) {
        SCOPED_TRACE(recipe.fileName);
        CatalogEntryList list;
        m_database.ScanTextureFolder((kShipped / kTextureFolder / recipe.category).string(), list);
        const auto found = std::ranges::find_if(list, [&](const std::shared_ptr<void>& item) {
            return CModelDatabase::GetFileRowKey(
                       std::static_pointer_cast<TextureCatalogEntry>(item)->filePath) ==
                   recipe.fileName;
        });
        ASSERT_NE(found, list.end());
        const auto& entry = *std::static_pointer_cast<TextureCatalogEntry>(*found);
        EXPECT_EQ(entry.name, recipe.name);
        EXPECT_EQ(entry.width, recipe.widthCm);
        EXPECT_EQ(entry.height, recipe.heightCm);
        EXPECT_FALSE(entry.material.data.empty()) << "no thumbnail";
    }
}

TEST_F(StarterCatalogueTest, EveryPictureHasItsRow) {
    for (const PictureRecipe& recipe : StarterPictures()) {
        SCOPED_TRACE(recipe.fileName);
        CatalogEntryList list;
        m_database.ScanPictureFolder((kShipped / kPictureFolder / recipe.folder).string(), list);
        const auto found = std::ranges::find_if(list, [&](const std::shared_ptr<void>& item) {
            return CModelDatabase::GetFileRowKey(
                       std::static_pointer_cast<PictureCatalogEntry>(item)->filePath) ==
                   recipe.fileName;
        });
        ASSERT_NE(found, list.end());
        const auto& entry = *std::static_pointer_cast<PictureCatalogEntry>(*found);
        EXPECT_EQ(entry.name, recipe.name);
        EXPECT_EQ(entry.width, recipe.widthCm);
        EXPECT_EQ(entry.height, recipe.heightCm);
        EXPECT_EQ(entry.price, recipe.price);
        EXPECT_EQ(entry.description, recipe.description);
        EXPECT_EQ(entry.serialNumber, recipe.serialNumber);
        EXPECT_EQ(entry.vendor, kStarterVendor);
        EXPECT_FALSE(entry.material.data.empty()) << "no thumbnail";
    }
}

TEST_F(StarterCatalogueTest, OneRowPerFileIndexedByFileNameAndTheOpeningSizes) {
    std::vector<std::string> sizes;
    m_database.GetDoorWindowSizes(sizes, INT_MAX, INT_MAX);
    for (const FurniturePiece& piece : StarterFurniture()) {
        if (!piece.openingSize.empty()) {
            EXPECT_NE(std::ranges::find(sizes, piece.openingSize), sizes.end())
                << piece.openingSize;
        }
    }

    pdb::CSqliteDatabase raw;
    ASSERT_TRUE(raw.Open(m_copy.string()));
    auto count = [&](const std::string& sql) {
        int rows = 0;
        EXPECT_TRUE(raw.Query(sql, [&](const pdb::CSqliteRow&) {
            ++rows;
            return true;
        }));
        return rows;
    };
    EXPECT_EQ(count("select * from QVXModels"), static_cast<int>(StarterFurniture().size()));
    EXPECT_EQ(count("select * from Maps"), static_cast<int>(StarterTextures().size()));
    EXPECT_EQ(count("select * from TMaps"), static_cast<int>(StarterPictures().size()));
    EXPECT_EQ(count("select * from sqlite_master where type = 'index' and sql like '%(FileName)'"),
              3);
}

}  // namespace
