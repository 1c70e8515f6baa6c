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

using ModelDatabaseScanTest = CatalogFixture;

TEST_F(ModelDatabaseScanTest, ModelCategoryListsSubFoldersInPlace) {
    WriteFile(PathOf("SModel/Beds/Sofa.qvx"), PackageHeader("Sofa", "Acme", 500));
    WriteFile(PathOf("SModel/Beds/Table.QVX"), PackageHeader("Table", "", 80));
    WriteFile(PathOf("SModel/Beds/Sub/Chair.qvx"), PackageHeader("Chair", "", 40));
    WriteFile(PathOf("SModel/Beds/.hidden/Ghost.qvx"), PackageHeader("Ghost", "", 1));
    WriteFile(PathOf("SModel/Beds/notes.txt"), "x");

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/Beds"), list);

    EXPECT_EQ(EntryNames<ModelCatalogEntry>(list),
              (std::vector<std::string>{"Sofa", "Chair", "Table"}));
    const auto& sofa = *static_cast<const ModelCatalogEntry*>(list[0].get());
    EXPECT_EQ(sofa.filePath, PathOf("SModel/Beds/Sofa.qvx"));
    EXPECT_EQ(sofa.vendor, "Acme");
    EXPECT_EQ(sofa.serialNumber, "M-Sofa");
    EXPECT_EQ(sofa.price, 500.0f);
    ASSERT_NE(sofa.package, nullptr);
    EXPECT_EQ(sofa.package->GetVersion(), 9);
    EXPECT_EQ(Rows("select FileName, Name, Price, Rate, Vender from QVXModels order by FileName"),
              (std::vector<std::string>{"Chair|Chair|40.0|0|<null>", "Sofa|Sofa|500.0|0|Acme",
                                        "Table|Table|80.0|0|<null>"}));
}

TEST_F(ModelDatabaseScanTest, KnownModelShowsItsRowAndUnnamedModelIsNewModel) {
    WriteFile(PathOf("SModel/A/Known.qvx"), PackageHeader("From file", "", 1));
    WriteFile(PathOf("SModel/A/Unnamed.qvx"), PackageHeader("", "", 0));
    WriteFile(PathOf("SModel/A/Broken.qvx"), "Orv");
    Sql("insert into QVXModels values('Known','From row',100,50,70,250,'text','S',4,'V')");

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/A"), list);
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(list),
              (std::vector<std::string>{"New Model", "From row", "New Model"}));
    const auto& known = *static_cast<const ModelCatalogEntry*>(list[1].get());
    EXPECT_EQ(known.width, 100.0f);
    EXPECT_EQ(known.depth, 50.0f);
    EXPECT_EQ(known.height, 70.0f);
    EXPECT_EQ(known.rate, 4);
    EXPECT_EQ(Rows("select Name from QVXModels where FileName='Unnamed'"),
              std::vector<std::string>{"New Model"});
}

TEST_F(ModelDatabaseScanTest, NamesLongerThanTheLibraryLimitAreSkipped) {
    const std::string limit(54 - 4, 'a');
    const std::string over(55 - 4, 'b');
    WriteFile(PathOf("SModel/L/" + limit + ".qvx"), PackageHeader("fits", "", 0));
    WriteFile(PathOf("SModel/L/" + over + ".qvx"), PackageHeader("too long", "", 0));
    // 25 characters of two CP950 bytes each and the extension: 54 bytes.
    std::string chinese;
    for (int i = 0; i < 25; ++i) {
        chinese += "椅";
    }
    WriteFile(PathOf("SModel/L/" + chinese + ".qvx"), PackageHeader("chinese", "", 0));

    CModelDatabase database;
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/L"), list);
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(list), (std::vector<std::string>{"fits", "chinese"}));
}

TEST_F(ModelDatabaseScanTest, TextureFolderTakesItsFourKindsOnly) {
    WriteFile(PathOf("STexture/Wood/Oak.bmp"), BmpBytes(64, 32));
    WriteFile(PathOf("STexture/Wood/photo.jpeg"), "x");
    WriteFile(PathOf("STexture/Wood/Sub/Deep.bmp"), BmpBytes(8, 8));
    Sql("insert into Maps values('Oak.bmp','Oak board',0,0,12,NULL,NULL,3,NULL)");

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList list;
    database.ScanTextureFolder(PathOf("STexture/Wood"), list);
    ASSERT_EQ(list.size(), 1u);
    const auto& oak = *static_cast<const TextureCatalogEntry*>(list[0].get());
    EXPECT_EQ(oak.name, "Oak board");
    // The row stores no size, so the file's pixel size stays.
    EXPECT_EQ(oak.width, 64.0);
    EXPECT_EQ(oak.height, 32.0);
    EXPECT_EQ(oak.price, 12.0);
    EXPECT_EQ(oak.rate, 3);
    EXPECT_EQ(oak.material.GetDataLength(), 64);
}

TEST_F(ModelDatabaseScanTest, PictureFolderListsAnyCaseAndSkipsFolders) {
    WriteFile(PathOf("STPicture/Art/b.BMP"), BmpBytes(10, 20));
    WriteFile(PathOf("STPicture/Art/a.bmp"), BmpBytes(30, 40));
    WriteFile(PathOf("STPicture/Art/folder.JPG/inner.bmp"), BmpBytes(1, 1));

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList list;
    database.ScanPictureFolder(PathOf("STPicture/Art"), list);
    EXPECT_EQ(EntryNames<PictureCatalogEntry>(list), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Rows("select FileName, Width, Height, Rate from TMaps order by FileName"),
              (std::vector<std::string>{"a.bmp|30.0|40.0|0", "b.BMP|10.0|20.0|0"}));
}

TEST_F(ModelDatabaseScanTest, WithoutDatabaseEntriesComeFromTheFilesAlone) {
    WriteFile(PathOf("STexture/W/Oak.bmp"), BmpBytes(64, 32));
    Sql("insert into Maps values('Oak.bmp','Oak board',0,0,12,NULL,NULL,3,NULL)");
    CModelDatabase database;
    CatalogEntryList list;
    database.ScanTextureFolder(PathOf("STexture/W"), list);
    ASSERT_EQ(list.size(), 1u);
    const auto& oak = *static_cast<const TextureCatalogEntry*>(list[0].get());
    EXPECT_EQ(oak.name, "Oak");
    EXPECT_EQ(oak.rate, 0);
}

TEST_F(ModelDatabaseScanTest, LibraryCatalogListsAFolderSortedByRate) {
    WriteFile(PathOf("SModel/Set/A.qvx"), PackageHeader("A", "", 0));
    WriteFile(PathOf("SModel/Set/B.qvx"), PackageHeader("B", "", 0));
    Sql("insert into QVXModels values('B','B',0,0,0,0,NULL,NULL,5,NULL)");

    CLibraryCatalog catalog(std::make_unique<CModelDatabase>(), GetProgramFolder());
    ASSERT_EQ(catalog.GetOpenResult(), 1);
    catalog.SetKind(kCatalogKindModels);
    CatalogEntryList list;
    catalog.GetFolderEntries(PathOf("SModel/Set"), list);
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(list), (std::vector<std::string>{"B", "A"}));
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace

namespace {

using ModelDatabaseScanTransactionTest = CatalogFixture;

TEST_F(ModelDatabaseScanTransactionTest, EachScanCommitsOnceAndARescanWritesNothing) {
    WriteFile(PathOf("SModel/Set/A.qvx"), PackageHeader("A", "", 0));
    WriteFile(PathOf("SModel/Set/Sub/B.qvx"), PackageHeader("B", "", 0));
    WriteFile(PathOf("SModel/Set/Sub/Deeper/C.qvx"), PackageHeader("C", "", 0));
    WriteFile(PathOf("STexture/W/Oak.bmp"), BmpBytes(4, 4));
    WriteFile(PathOf("STexture/W/Ash.bmp"), BmpBytes(4, 4));
    WriteFile(PathOf("STPicture/P/a.bmp"), BmpBytes(4, 4));
    WriteFile(PathOf("STPicture/P/b.bmp"), BmpBytes(4, 4));

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    struct Scan {
        void (CModelDatabase::*scan)(const std::string&, CatalogEntryList&);
        std::string folder;
        std::size_t entries;
    };
    const Scan scans[] = {
        {&CModelDatabase::ScanModelFolder, "SModel/Set", 3},
        {&CModelDatabase::ScanTextureFolder, "STexture/W", 2},
        {&CModelDatabase::ScanPictureFolder, "STPicture/P", 2},
    };
    for (const Scan& s : scans) {
        const std::uint32_t before = CommitCount();
        CatalogEntryList list;
        (database.*s.scan)(PathOf(s.folder), list);
        EXPECT_EQ(list.size(), s.entries) << s.folder;
        EXPECT_EQ(CommitCount(), before + 1) << s.folder;

        // Every file has its row now: the next scan only reads.
        CatalogEntryList again;
        (database.*s.scan)(PathOf(s.folder), again);
        EXPECT_EQ(CommitCount(), before + 1) << s.folder;
    }
    EXPECT_EQ(Rows("select count(*) from QVXModels union all select count(*) from Maps"
                   " union all select count(*) from TMaps"),
              (std::vector<std::string>{"3", "2", "2"}));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ModelDatabaseScanTransactionTest, TwoThousandNewModelsAreInsertedInOneTransaction) {
    constexpr int kModels = 2000;
    for (int i = 0; i < kModels; ++i) {
        const std::string name = "M" + std::to_string(10000 + i);
        WriteFile(PathOf("SModel/Big/" + name + ".qvx"), PackageHeader(name, "V", 1));
    }
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    const std::uint32_t before = CommitCount();
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/Big"), list);
    EXPECT_EQ(list.size(), static_cast<std::size_t>(kModels));
    EXPECT_EQ(CommitCount(), before + 1);
    EXPECT_EQ(Rows("select count(*), min(FileName), max(FileName) from QVXModels"),
              std::vector<std::string>{"2000|M10000|M11999"});
}

TEST_F(ModelDatabaseScanTransactionTest, FailureInsideAScanKeepsTheRowsWrittenBefore) {
    WriteFile(PathOf("SModel/F/A.qvx"), PackageHeader("A", "", 1));
    WriteFile(PathOf("SModel/F/B.qvx"), PackageHeader("B", "", 2));
    WriteFile(PathOf("SModel/F/C.qvx"), PackageHeader("C", "", 3));
    Sql("create trigger RefuseB before insert on QVXModels when new.FileName='B'"
        " begin select raise(abort, 'B refused'); end");

    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/F"), list);

    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].find("B refused"), std::string::npos) << m_messages[0];
    EXPECT_FALSE(database.IsOpen());
    // The listing goes on from the files; A's row was committed, C was never
    // reached by the closed database.
    EXPECT_EQ(EntryNames<ModelCatalogEntry>(list), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(EntryAt<ModelCatalogEntry>(list, 1).price, 2.0f);
    EXPECT_EQ(Rows("select FileName from QVXModels"), std::vector<std::string>{"A"});
}

TEST_F(ModelDatabaseScanTransactionTest, SeveralConnectionsShareTheCatalogue) {
    WriteFile(PathOf("SModel/S/Chair.qvx"), PackageHeader("Chair", "Acme", 40));
    CModelDatabase browser;
    CModelDatabase other;
    ASSERT_EQ(browser.Open(CatalogPath()), 1);
    ASSERT_EQ(other.Open(CatalogPath()), 1);

    CatalogEntryList list;
    browser.ScanModelFolder(PathOf("SModel/S"), list);
    other.SetModelRate("Chair", 5);
    CostItemRecord item;
    EXPECT_EQ(CModelDatabase().LookupModelCostInfo("Chair", item), 1);
    EXPECT_EQ(item.vendor, "Acme");

    CatalogEntryList again;
    browser.ScanModelFolder(PathOf("SModel/S"), again);
    EXPECT_EQ(EntryAt<ModelCatalogEntry>(again, 0).rate, 5);
    EXPECT_TRUE(browser.IsOpen());
    EXPECT_TRUE(other.IsOpen());
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
