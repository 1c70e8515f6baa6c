#include "library/ModelDatabase.h"

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "library/ModelCatalogEntry.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"

namespace {

constexpr const char* kConnectError = "Connect Database error!\r\nmessage:";

using ModelDatabaseTest = CatalogFixture;

TEST_F(ModelDatabaseTest, OpenFailureTellsTheUserAndLeavesItClosed) {
    CModelDatabase database;
    EXPECT_FALSE(database.IsOpen());
    EXPECT_EQ(database.Open(PathOf("missing.db")), 0);
    EXPECT_FALSE(database.IsOpen());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].starts_with(kConnectError)) << m_messages[0];
    EXPECT_NE(m_messages[0].find("missing.db"), std::string::npos);

    // Nothing is written through a closed database.
    database.SetModelRate("Chair", 5);
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(ModelDatabaseTest, OpenAndCloseTheCatalogue) {
    CModelDatabase database;
    EXPECT_EQ(database.Open(CatalogPath()), 1);
    EXPECT_TRUE(database.IsOpen());
    database.Close();
    EXPECT_FALSE(database.IsOpen());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ModelDatabaseTest, JetCatalogThatCannotBeImportedIsReported) {
    WriteFile(PathOf("jet/RIr6.mdb"), std::string(2048, 'x'));
    CModelDatabase database;
    EXPECT_EQ(database.Open(PathOf("jet/RIr6.db")), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].starts_with(kConnectError));
    EXPECT_NE(m_messages[0].find("不是 Jet 資料庫"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(PathOf("jet/RIr6.db")));
}

TEST_F(ModelDatabaseTest, RowKeysFollowTheFileName) {
    struct Case {
        std::string path;
        std::string modelKey;
        std::string fileKey;
    };
    const Case cases[] = {
        {"/lib/SModel/Chair.qvx", "Chair", "Chair.qvx"},
        {"Z:\\lib\\STexture\\Oak.JPG", "Oak", "Oak.JPG"},
        {"/lib/a.b/O'Neil.qvx", "O'Neil", "O'Neil.qvx"},
        {"/lib/.qvx", "", ".qvx"},
        {"/lib/abcde", "a", "abcde"},
        {"Sofa.qvx", "Sofa", "Sofa.qvx"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CModelDatabase::GetModelRowKey(c.path), c.modelKey) << c.path;
        EXPECT_EQ(CModelDatabase::GetFileRowKey(c.path), c.fileKey) << c.path;
    }
}

TEST_F(ModelDatabaseTest, ModelLookupFillsCatalogueTextsOnly) {
    Sql("insert into QVXModels values('O''Neil','Sofa',200,90,80,999,'soft','S-1',4,'Acme')");
    CostItemRecord item;
    item.name = "my sofa";
    item.unitPrice = 12.5f;

    CModelDatabase database;
    EXPECT_EQ(database.LookupModelCostInfo("O'Neil", item), 1);
    EXPECT_FALSE(database.IsOpen());
    EXPECT_EQ(item.serialNumber, "S-1");
    EXPECT_EQ(item.vendor, "Acme");
    EXPECT_EQ(item.description, "soft");
    EXPECT_EQ(item.name, "my sofa");
    EXPECT_EQ(item.unitPrice, 12.5f);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ModelDatabaseTest, LookupKeysCompareIgnoringCaseAsTheCatalogueAlwaysDid) {
    Sql("insert into TMaps values('Photo.JPG','P',10,20,30,'d','S-2',0,0,0,'V')");
    CostItemRecord item;
    EXPECT_EQ(CModelDatabase().LookupPictureCostInfo("photo.jpg", item), 1);
    EXPECT_EQ(item.serialNumber, "S-2");
    EXPECT_EQ(item.vendor, "V");
    EXPECT_EQ(item.description, "d");
}

TEST_F(ModelDatabaseTest, NullTextsAndMissingRowsLeaveTheItemAsItWas) {
    Sql("insert into QVXModels values('Bare','Bare',0,0,0,0,NULL,'S-3',0,NULL)");
    CostItemRecord item;
    item.vendor = "kept vendor";
    item.description = "kept text";
    EXPECT_EQ(CModelDatabase().LookupModelCostInfo("Bare", item), 1);
    EXPECT_EQ(item.serialNumber, "S-3");
    EXPECT_EQ(item.vendor, "kept vendor");
    EXPECT_EQ(item.description, "kept text");

    CostItemRecord untouched;
    untouched.name = "x";
    EXPECT_EQ(CModelDatabase().LookupModelCostInfo("Nothing", untouched), 1);
    EXPECT_EQ(untouched.name, "x");
    EXPECT_EQ(untouched.count, 1);
    EXPECT_TRUE(untouched.serialNumber.empty());
    EXPECT_TRUE(untouched.vendor.empty());
    EXPECT_TRUE(untouched.description.empty());
    EXPECT_EQ(untouched.unitPrice, 0.0f);
}

TEST_F(ModelDatabaseTest, TextureLookupFillsTheTileFields) {
    Sql("insert into Maps values('Oak.jpg','Oak floor',30.5,60,120.25,'oiled','T-9',2,'Woods')");
    CostItemRecord item;
    EXPECT_EQ(CModelDatabase().LookupTextureCostInfo("Oak.jpg", item), 1);
    EXPECT_EQ(item.name, "Oak floor");
    EXPECT_EQ(item.tileWidth, 30.5f);
    EXPECT_EQ(item.tileHeight, 60.0f);
    EXPECT_EQ(item.serialNumber, "T-9");
    EXPECT_EQ(item.unitPrice, 120.25f);
    EXPECT_EQ(item.vendor, "Woods");
    EXPECT_EQ(item.description, "oiled");
}

TEST_F(ModelDatabaseTest, LookupWithoutCatalogueReportsOnceAndReturnsZero) {
    SetProgramFolder(PathOf("elsewhere"));
    CostItemRecord item;
    item.vendor = "kept";
    EXPECT_EQ(CModelDatabase().LookupModelCostInfo("Chair", item), 0);
    EXPECT_EQ(item.vendor, "kept");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].starts_with(kConnectError));
}

TEST_F(ModelDatabaseTest, RatesAreWrittenToTheRowOfTheirTable) {
    Sql("insert into QVXModels values('Chair','Chair',0,0,0,0,NULL,NULL,0,NULL)");
    Sql("insert into Maps values('Oak.jpg','Oak',0,0,0,NULL,NULL,0,NULL)");
    Sql("insert into TMaps values('It''s.bmp','P',0,0,0,NULL,NULL,0,0,0,NULL)");
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    database.SetModelRate("Chair", 5);
    database.SetTextureRate("Oak.jpg", 2);
    database.SetPictureRate("It's.bmp", 3);
    EXPECT_EQ(Rows("select Rate from QVXModels"), std::vector<std::string>{"5"});
    EXPECT_EQ(Rows("select Rate from Maps"), std::vector<std::string>{"2"});
    EXPECT_EQ(Rows("select Rate, Reserved1, Reserved2 from TMaps"),
              std::vector<std::string>{"3|0|0"});
}

std::shared_ptr<void> ModelEntry(const std::string& name, int rate) {
    auto entry = std::make_shared<ModelCatalogEntry>();
    entry->name = name;
    entry->rate = rate;
    return entry;
}

std::string Names(const CatalogEntryList& list) {
    std::string names;
    for (const auto& entry : list) {
        names += static_cast<const ModelCatalogEntry*>(entry.get())->name;
    }
    return names;
}

TEST_F(ModelDatabaseTest, SortExchangesPairsHighestRateFirst) {
    struct Case {
        std::string names;
        std::vector<int> rates;
        std::string sorted;
        int outerLoops;
    };
    const Case cases[] = {
        {"", {}, "", 0},
        {"K", {4}, "K", 0},
        {"KL", {1, 2}, "LK", 1},
        // The exchange sequence, not a stable sort, orders equal rates.
        {"KLMN", {0, 3, 3, 5}, "NMLK", 3},
        {"ABC", {2, 2, 2}, "ABC", 2},
        {"ABCD", {1, 3, 2, 3}, "BDCA", 3},
    };
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    for (const Case& c : cases) {
        CatalogEntryList list;
        for (std::size_t i = 0; i < c.rates.size(); ++i) {
            list.push_back(ModelEntry(std::string(1, c.names[i]), c.rates[i]));
        }
        EXPECT_EQ(database.SortModelsByRate(list), c.outerLoops) << c.names;
        EXPECT_EQ(Names(list), c.sorted) << c.names;
    }
}

TEST_F(ModelDatabaseTest, SortOfEachKindUsesItsEntryType) {
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    auto low = std::make_shared<PictureCatalogEntry>();
    auto high = std::make_shared<PictureCatalogEntry>();
    high->rate = 5;
    CatalogEntryList pictures{low, high};
    EXPECT_EQ(database.SortPicturesByRate(pictures), 1);
    EXPECT_EQ(pictures[0], high);

    auto plain = std::make_shared<TextureCatalogEntry>();
    auto liked = std::make_shared<TextureCatalogEntry>();
    liked->rate = 1;
    CatalogEntryList textures{plain, liked};
    EXPECT_EQ(database.SortTexturesByRate(textures), 1);
    EXPECT_EQ(textures[0], liked);
}

TEST_F(ModelDatabaseTest, SortWithoutDatabaseKeepsTheListAndReturnsZero) {
    CModelDatabase database;
    CatalogEntryList list{ModelEntry("K", 0), ModelEntry("L", 5)};
    EXPECT_EQ(database.SortModelsByRate(list), 0);
    EXPECT_EQ(Names(list), "KL");
}

TEST_F(ModelDatabaseTest, SyncInsertsANewEntryWithNullTextsAndRateZero) {
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    ModelCatalogEntry entry;
    entry.filePath = "/lib/SModel/O'Neil.qvx";
    entry.width = 12.5f;
    entry.price = 99.0f;
    entry.rate = 4;
    database.SyncModelEntry(entry);
    EXPECT_EQ(Rows("select * from QVXModels"),
              std::vector<std::string>{"O'Neil||12.5|0.0|0.0|99.0|<null>|<null>|0|<null>"});

    // Read back into a fresh entry: the NULL texts come back empty.
    ModelCatalogEntry again;
    again.filePath = entry.filePath;
    again.description = "from the file";
    again.rate = 2;
    database.SyncModelEntry(again);
    EXPECT_EQ(again.width, 12.5f);
    EXPECT_EQ(again.price, 99.0f);
    EXPECT_TRUE(again.description.empty());
    EXPECT_EQ(again.rate, 0);
    EXPECT_EQ(Rows("select count(*) from QVXModels"), std::vector<std::string>{"1"});
}

TEST_F(ModelDatabaseTest, NonFiniteSizesFromADamagedFileAreStoredAsZero) {
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    ModelCatalogEntry entry;
    entry.filePath = "/lib/SModel/broken.qvx";
    entry.width = std::numeric_limits<float>::quiet_NaN();
    entry.price = std::numeric_limits<float>::infinity();
    database.SyncModelEntry(entry);
    EXPECT_TRUE(database.IsOpen());
    EXPECT_EQ(Rows("select Width, Price from QVXModels"), std::vector<std::string>{"0.0|0.0"});
}

TEST_F(ModelDatabaseTest, StoredSizesOfTexturesAndPicturesReadBackByTheirRules) {
    Sql("insert into Maps values('Oak.jpg','Oak',0,45,7,NULL,'T-1',3,NULL)");
    Sql("insert into TMaps values('Pic.jpg','Pic',0,45,7,NULL,'P-1',2,0,0,'V')");
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);

    // A texture row without a width keeps the file's.
    TextureCatalogEntry texture;
    texture.filePath = "/lib/STexture/Oak.jpg";
    texture.width = 64;
    texture.height = 32;
    texture.description = "file text";
    database.SyncTextureEntry(texture);
    EXPECT_EQ(texture.width, 64.0);
    EXPECT_EQ(texture.height, 45.0);
    EXPECT_EQ(texture.price, 7.0);
    EXPECT_TRUE(texture.description.empty());
    EXPECT_EQ(texture.serialNumber, "T-1");
    EXPECT_EQ(texture.rate, 3);

    // A picture row's sizes always apply; its NULL description keeps the
    // entry's.
    PictureCatalogEntry picture;
    picture.filePath = "/lib/STPicture/Pic.jpg";
    picture.width = 64;
    picture.description = "file text";
    database.SyncPictureEntry(picture);
    EXPECT_EQ(picture.width, 0.0);
    EXPECT_EQ(picture.height, 45.0);
    EXPECT_EQ(picture.description, "file text");
    EXPECT_EQ(picture.vendor, "V");
    EXPECT_EQ(picture.rate, 2);
}

TEST_F(ModelDatabaseTest, NewPictureRowFillsTheSpareColumnsWithZero) {
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    PictureCatalogEntry picture;
    picture.filePath = "/lib/STPicture/Pic.jpg";
    picture.name = "New Texture";
    picture.width = 1.5;
    picture.vendor = "V";
    database.SyncPictureEntry(picture);
    EXPECT_EQ(Rows("select * from TMaps"),
              std::vector<std::string>{"Pic.jpg|New Texture|1.5|0.0|0.0|<null>|<null>|0|0|0|V"});
}

TEST_F(ModelDatabaseTest, RowKeysMatchIgnoringAsciiCaseOnly) {
    Sql("insert into QVXModels values('Chair','ascii',0,0,0,0,NULL,NULL,0,NULL)");
    Sql("insert into QVXModels values('Äpfel','latin',0,0,0,0,NULL,NULL,0,NULL)");
    Sql("insert into QVXModels values('椅子','han',0,0,0,0,NULL,NULL,0,NULL)");
    struct Case {
        std::string path;
        std::string name;
    };
    const Case cases[] = {
        {"/lib/CHAIR.qvx", "ascii"},
        {"/lib/chair.QVX", "ascii"},
        {"/lib/椅子.qvx", "han"},
        // Letters beyond ASCII compare exactly: a new row.
        {"/lib/äpfel.qvx", "from file"},
    };
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    for (const Case& c : cases) {
        ModelCatalogEntry entry;
        entry.filePath = c.path;
        entry.name = "from file";
        database.SyncModelEntry(entry);
        EXPECT_EQ(entry.name, c.name) << c.path;
    }
    EXPECT_EQ(Rows("select count(*) from QVXModels"), std::vector<std::string>{"4"});
}

TEST_F(ModelDatabaseTest, StoredNumbersAreReadAsSinglePrecision) {
    Sql("insert into QVXModels values('M','M',0.1,0.2,0.3,1234.56,NULL,NULL,0,NULL)");
    Sql("insert into Maps values('T.bmp','T',0.1,0.2,1234.56,NULL,NULL,0,NULL)");
    Sql("insert into TMaps values('P.bmp','P',0.1,0.2,1234.56,NULL,NULL,0,0,0,NULL)");
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    ModelCatalogEntry model;
    model.filePath = "/lib/M.qvx";
    TextureCatalogEntry texture;
    texture.filePath = "/lib/T.bmp";
    PictureCatalogEntry picture;
    picture.filePath = "/lib/P.bmp";
    database.SyncModelEntry(model);
    database.SyncTextureEntry(texture);
    database.SyncPictureEntry(picture);
    EXPECT_EQ(model.width, 0.1f);
    EXPECT_EQ(model.price, 1234.56f);
    // The double entries hold the float's value, not the stored double.
    EXPECT_EQ(texture.width, static_cast<double>(0.1f));
    EXPECT_EQ(texture.price, static_cast<double>(1234.56f));
    EXPECT_EQ(picture.height, static_cast<double>(0.2f));
    EXPECT_NE(picture.height, 0.2);
}

TEST_F(ModelDatabaseTest, FailingStatementIsReportedOnceAndClosesTheDatabase) {
    Sql("drop table QVXModels");
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    ModelCatalogEntry entry;
    entry.filePath = "/lib/Chair.qvx";
    database.SyncModelEntry(entry);
    database.SyncModelEntry(entry);
    database.SetModelRate("Chair", 1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].starts_with("Database error!\r\nmessage:")) << m_messages[0];
    EXPECT_NE(m_messages[0].find("no such table: QVXModels"), std::string::npos);
    EXPECT_FALSE(database.IsOpen());
}

}  // namespace
