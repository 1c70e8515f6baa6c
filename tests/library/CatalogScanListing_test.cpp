#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "LibraryFileBytes.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "objects/LibraryCatalog.h"

namespace {

using CatalogScanListingTest = CatalogFixture;

// The file names of a material scan's entries, in list order.
template <typename Entry>
std::vector<std::string> FileNames(const CatalogEntryList& list) {
    std::vector<std::string> names;
    for (const auto& entry : list) {
        names.push_back(
            std::filesystem::path(static_cast<const Entry*>(entry.get())->filePath).filename());
    }
    return names;
}

// A version 3 material file holding a tiny image, its tile size and price.
std::string MaterialFileBytes(const std::string& name, float width, float height, float price) {
    const auto putFloat = [](std::string& bytes, float value) {
        std::int32_t bits;
        std::memcpy(&bits, &value, 4);
        PutInt(bytes, bits);
    };
    const auto field = [](std::string& bytes, const std::string& text, std::size_t size) {
        std::string f = text;
        f.resize(size, '\0');
        bytes += f;
    };
    const std::string image = BmpBytes(2, 2);
    std::string bytes = "QVPMe";
    bytes += '\x03';
    PutInt(bytes, static_cast<std::int32_t>(image.size()));
    bytes += '\0';
    bytes += image;
    putFloat(bytes, width);
    putFloat(bytes, height);
    field(bytes, "S-" + name, 30);
    putFloat(bytes, price);
    field(bytes, name, 50);
    field(bytes, "Vendor", 50);
    field(bytes, "", 200);
    return bytes;
}

TEST_F(CatalogScanListingTest, NumbersThatAreNoNumbersEnterAsZero) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    WriteFile(PathOf("SModel/N/A.qvx"), PackageHeader("A", "", kNaN));
    WriteFile(PathOf("SModel/N/B.qvx"), PackageHeader("B", "", -kInf));
    WriteFile(PathOf("SModel/N/C.qvx"), PackageHeader("C", "", 12.5f));
    WriteFile(PathOf("STexture/N/a.qvp"), MaterialFileBytes("a", kNaN, kInf, -kInf));
    WriteFile(PathOf("STexture/N/b.qvp"), MaterialFileBytes("b", 60, 30, 9));
    WriteFile(PathOf("STPicture/N/a.qvp"), MaterialFileBytes("a", kInf, kNaN, kNaN));

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList models;
    database.ScanModelFolder(PathOf("SModel/N"), models);
    CatalogEntryList textures;
    database.ScanTextureFolder(PathOf("STexture/N"), textures);
    CatalogEntryList pictures;
    database.ScanPictureFolder(PathOf("STPicture/N"), pictures);

    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(database.IsOpen());
    EXPECT_EQ(EntryAt<ModelCatalogEntry>(models, 0).price, 0.0f);
    EXPECT_EQ(EntryAt<TextureCatalogEntry>(textures, 0).width, 0.0);
    EXPECT_EQ(Rows("select FileName, Price from QVXModels order by FileName"),
              (std::vector<std::string>{"A|0.0", "B|0.0", "C|12.5"}));
    EXPECT_EQ(
        Rows("select FileName, Name, Width, Height, Price, Vender from Maps order by FileName"),
        (std::vector<std::string>{"a.qvp|a|0.0|0.0|0.0|Vendor", "b.qvp|b|60.0|30.0|9.0|Vendor"}));
    EXPECT_EQ(Rows("select FileName, Width, Height, Price from TMaps"),
              std::vector<std::string>{"a.qvp|0.0|0.0|0.0"});
}

TEST_F(CatalogScanListingTest, TextureAndPictureScansAcceptTheSameNames) {
    struct Case {
        std::string name;
        bool listed;
    };
    // Listed names in the order of the listing.
    const Case cases[] = {
        {"a.bmp", true},
        {"B.BMP", true},
        {"c.Jpg", true},
        {"d.tga", true},
        {"e.QVP", true},
        {"f.bmp.jpg", true},
        {"photo.jpeg", false},
        {"g.png", false},
        {"bmp", false},
        {"h.bmp.txt", false},
        // A stored path would read back as a folder "i" and a file "j.bmp".
        {"i\\j.bmp", false},
        // No CP950 form: it could never be stored in a design.
        {"\xF0\x9F\x98\x80.bmp", false},
        // 50 bytes and the extension: the longest name listed.
        {std::string(50, 'x') + ".bmp", true},
        {std::string(51, 'y') + ".bmp", false},
    };
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        WriteFile(PathOf("STexture/T/" + c.name), BmpBytes(2, 2));
        WriteFile(PathOf("STPicture/P/" + c.name), BmpBytes(2, 2));
        if (c.listed) {
            expected.push_back(c.name);
        }
    }
    // Folders never list, whatever their names; nor do links to folders.
    std::filesystem::create_directories(PathOf("STexture/T/dir.bmp"));
    std::filesystem::create_directories(PathOf("STPicture/P/dir.JPG"));
    std::filesystem::create_directory_symlink(PathOf("STexture/T/dir.bmp"),
                                              PathOf("STexture/T/link.bmp"));
    std::filesystem::create_directory_symlink(PathOf("STPicture/P/dir.JPG"),
                                              PathOf("STPicture/P/link.JPG"));

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList textures;
    database.ScanTextureFolder(PathOf("STexture/T"), textures);
    EXPECT_EQ(FileNames<TextureCatalogEntry>(textures), expected);
    CatalogEntryList pictures;
    database.ScanPictureFolder(PathOf("STPicture/P"), pictures);
    EXPECT_EQ(FileNames<PictureCatalogEntry>(pictures), expected);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CatalogScanListingTest, EntriesComeInTheOrderOfAWindowsListing) {
    // Windows compares names folded to upper case, so '_' sorts after the
    // letters; the order decides the place of entries of equal rate.
    for (const char* name : {"B.bmp", "A_b.bmp", "Ab.bmp", "aa.bmp"}) {
        WriteFile(PathOf("STexture/O/") + name, BmpBytes(2, 2));
    }
    for (const char* name : {"Z.qvx", "m_1.qvx", "Ma.qvx", "m/a.qvx"}) {
        WriteFile(PathOf("SModel/O/") + name, PackageHeader(name, "", 0));
    }
    CModelDatabase database;
    CatalogEntryList textures;
    database.ScanTextureFolder(PathOf("STexture/O"), textures);
    EXPECT_EQ(FileNames<TextureCatalogEntry>(textures),
              (std::vector<std::string>{"aa.bmp", "Ab.bmp", "A_b.bmp", "B.bmp"}));
    CatalogEntryList models;
    database.ScanModelFolder(PathOf("SModel/O"), models);
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(models),
              (std::vector<std::string>{"m/a.qvx", "Ma.qvx", "m_1.qvx", "Z.qvx"}));
}

// A new row holds each number as six decimals give it (0.1f is stored as
// 0.1, not as the float's longer double), its empty texts as NULL, and a key
// with a quote is found again by the next scan.
TEST_F(CatalogScanListingTest, NewRowsHoldSixDecimalNumbersAndNullForEmptyTexts) {
    WriteFile(PathOf("SModel/D/O'Neil.qvx"), PackageHeader("Sofa", "", 0.1f));
    WriteFile(PathOf("STexture/D/a.qvp"), MaterialFileBytes("a", 0.1f, 1234.5678f, 2.0f / 3));

    for (int scan = 0; scan < 2; ++scan) {
        CModelDatabase database;
        ASSERT_EQ(database.Open(CatalogPath()), 1);
        CatalogEntryList models;
        database.ScanModelFolder(PathOf("SModel/D"), models);
        CatalogEntryList textures;
        database.ScanTextureFolder(PathOf("STexture/D"), textures);
        ASSERT_EQ(models.size(), 1u);
        EXPECT_EQ(EntryAt<ModelCatalogEntry>(models, 0).price, 0.1f);
    }
    EXPECT_EQ(Rows("select *, typeof(Price) from QVXModels"),
              std::vector<std::string>{"O'Neil|Sofa|0.0|0.0|0.0|0.1|<null>|M-Sofa|0|<null>|real"});
    EXPECT_EQ(Rows("select Width, Height, Price, Description from Maps"),
              std::vector<std::string>{"0.1|1234.567749|0.666667|<null>"});
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CatalogScanListingTest, FolderGivenInOtherLetterCaseGivesReadableEntries) {
    WriteFile(PathOf("STexture/Wood/Oak.bmp"), BmpBytes(64, 32));
    WriteFile(PathOf("STPicture/Art/Sun.bmp"), BmpBytes(30, 40));
    WriteFile(PathOf("SModel/Beds/Sub/Chair.qvx"), PackageHeader("Chair", "Acme", 40));

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList textures;
    database.ScanTextureFolder(PathOf("stexture/WOOD"), textures);
    ASSERT_EQ(textures.size(), 1u);
    const auto& oak = EntryAt<TextureCatalogEntry>(textures, 0);
    EXPECT_EQ(oak.filePath, PathOf("STexture/Wood/Oak.bmp"));
    EXPECT_EQ(oak.width, 64.0);
    EXPECT_EQ(oak.material.GetDataLength(), 64);

    CatalogEntryList pictures;
    database.ScanPictureFolder(PathOf("stpicture/art"), pictures);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(EntryAt<PictureCatalogEntry>(pictures, 0).filePath, PathOf("STPicture/Art/Sun.bmp"));
    EXPECT_EQ(EntryAt<PictureCatalogEntry>(pictures, 0).height, 40.0);

    CatalogEntryList models;
    database.ScanModelFolder(PathOf("smodel/beds"), models);
    ASSERT_EQ(models.size(), 1u);
    EXPECT_EQ(EntryAt<ModelCatalogEntry>(models, 0).filePath, PathOf("SModel/Beds/Sub/Chair.qvx"));
    EXPECT_EQ(EntryAt<ModelCatalogEntry>(models, 0).vendor, "Acme");
}

TEST_F(CatalogScanListingTest, ModelScanWalksRealSubFoldersOnly) {
    WriteFile(PathOf("SModel/W/A.qvx"), PackageHeader("A", "", 0));
    WriteFile(PathOf("SModel/W/Sub/B.qvx"), PackageHeader("B", "", 0));
    WriteFile(PathOf("SModel/W/" + std::string(55, 'f') + "/Far.qvx"), PackageHeader("Far", "", 0));
    WriteFile(PathOf("SModel/W/" + std::string(54, 'n') + "/Near.qvx"),
              PackageHeader("Near", "", 0));
    // A link back to the category would make the walk endless; a link named
    // like a package is no package.
    std::filesystem::create_directory_symlink(PathOf("SModel/W"), PathOf("SModel/W/Loop"));
    std::filesystem::create_directory_symlink(PathOf("SModel/W/Sub"), PathOf("SModel/W/Link.qvx"));

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/W"), list);
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(list), (std::vector<std::string>{"A", "Near", "B"}));
    EXPECT_EQ(Rows("select count(*) from QVXModels"), std::vector<std::string>{"3"});
}

TEST_F(CatalogScanListingTest, CatalogScansAFolderOnceAndSortsEachRequest) {
    WriteFile(PathOf("SModel/C/K.qvx"), PackageHeader("K", "", 0));
    WriteFile(PathOf("SModel/C/L.qvx"), PackageHeader("L", "", 0));
    WriteFile(PathOf("SModel/C/M.qvx"), PackageHeader("M", "", 0));

    CLibraryCatalog catalog(std::make_unique<CModelDatabase>(), GetProgramFolder());
    ASSERT_EQ(catalog.GetOpenResult(), 1);
    catalog.SetKind(kCatalogKindModels);
    CatalogEntryList first;
    catalog.GetFolderEntries(PathOf("SModel/C"), first);
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(first), (std::vector<std::string>{"K", "L", "M"}));

    // A file added later is not seen: the folder is not scanned again. A
    // rate changed in an entry shows in the next request's order.
    WriteFile(PathOf("SModel/C/N.qvx"), PackageHeader("N", "", 0));
    EntryAt<ModelCatalogEntry>(first, 2).rate = 4;
    CatalogEntryList second = {first[0]};
    catalog.GetFolderEntries(PathOf("SModel/C"), second);
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(second), (std::vector<std::string>{"M", "L", "K"}));
    EXPECT_EQ(second[0], first[2]);

    // The rate write drops a listing cached under the same text only.
    catalog.SetRate(PathOf("SModel/C"), 0);
    CatalogEntryList third;
    catalog.GetFolderEntries(PathOf("SModel/C"), third);
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(third), (std::vector<std::string>{"K", "L", "M", "N"}));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CatalogScanListingTest, CatalogWithoutKindHandsOutNothing) {
    WriteFile(PathOf("SModel/C/K.qvx"), PackageHeader("K", "", 0));
    CLibraryCatalog catalog(std::make_unique<CModelDatabase>(), GetProgramFolder());
    CatalogEntryList list = {std::make_shared<ModelCatalogEntry>()};
    catalog.GetFolderEntries(PathOf("SModel/C"), list);
    EXPECT_EQ(list.size(), 1u);
    // An unknown kind set first selects no scan either.
    catalog.SetKind(7);
    catalog.GetFolderEntries(PathOf("SModel/C"), list);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(Rows("select count(*) from QVXModels"), std::vector<std::string>{"0"});
}

}  // namespace
