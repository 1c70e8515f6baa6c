#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "LibraryFileBytes.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"

namespace {

using ModelDatabaseEditTest = CatalogFixture;

TEST_F(ModelDatabaseEditTest, UpdateWritesTheEditedValuesOfEachKind) {
    struct Case {
        std::string what;
        std::function<void(CModelDatabase&)> update;
        std::string query;
        std::string row;
    };
    const Case cases[] = {
        {"model with every text",
         [](CModelDatabase& db) {
             ModelCatalogEntry e;
             e.filePath = "/lib/SModel/O'Neil.qvx";
             e.name = "Sofa 'B'";
             e.width = 120.5f;
             e.depth = 60.0f;
             e.height = 75.25f;
             e.price = 199.5f;
             e.description = "soft";
             e.serialNumber = "S-1";
             e.vendor = "Acme";
             e.rate = 1;
             db.UpdateModelRow(e);
         },
         "select * from QVXModels", "O'Neil|Sofa 'B'|120.5|60.0|75.25|199.5|soft|S-1|3|Acme"},
        {"model with empty texts",
         [](CModelDatabase& db) {
             ModelCatalogEntry e;
             e.filePath = "/lib/SModel/O'Neil.qvx";
             e.width = 1.0f;
             db.UpdateModelRow(e);
         },
         "select *, typeof(Name) from QVXModels",
         "O'Neil||1.0|0.0|0.0|0.0|<null>|<null>|3|<null>|text"},
        {"texture, its size written through a float",
         [](CModelDatabase& db) {
             TextureCatalogEntry e;
             e.filePath = "Z:\\lib\\STexture\\Oak.JPG";
             e.name = "Oak";
             e.width = 0.1;
             e.height = 30.0;
             e.price = 12.0;
             e.vendor = "Woods";
             db.UpdateTextureRow(e);
         },
         "select * from Maps", "Oak.JPG|Oak|0.100000001|30.0|12.0|<null>|<null>|2|Woods"},
        {"picture, its spare columns untouched",
         [](CModelDatabase& db) {
             PictureCatalogEntry e;
             e.filePath = "/lib/STPicture/Pic.jpg";
             e.width = 80.0;
             e.height = 60.0;
             e.description = "poster";
             db.UpdatePictureRow(e);
         },
         "select * from TMaps", "Pic.jpg||80.0|60.0|0.0|poster|<null>|4|7|8|<null>"},
    };
    for (const Case& c : cases) {
        Sql("delete from QVXModels; delete from Maps; delete from TMaps");
        Sql("insert into QVXModels values('O''Neil','Old',1,2,3,4,'d','s',3,'v')");
        Sql("insert into Maps values('Oak.JPG','Old',1,2,3,'d','s',2,'v')");
        Sql("insert into TMaps values('Pic.jpg','Old',1,2,3,'d','s',4,7,8,'v')");
        CModelDatabase database;
        ASSERT_EQ(database.Open(CatalogPath()), 1);
        c.update(database);
        EXPECT_EQ(Rows(c.query), std::vector<std::string>{c.row}) << c.what;
        EXPECT_TRUE(m_messages.empty()) << c.what;
    }
}

TEST_F(ModelDatabaseEditTest, RowSavedWithAnEmptyNameIsRescannedWithoutError) {
    WriteFile(PathOf("SModel/E/Chair.qvx"), PackageHeader("Chair", "Acme", 40));
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/E"), list);
    ModelCatalogEntry& chair = EntryAt<ModelCatalogEntry>(list, 0);
    chair.name.clear();
    chair.vendor.clear();
    database.UpdateModelRow(chair);
    EXPECT_EQ(Rows("select typeof(Name), typeof(Vender) from QVXModels"),
              std::vector<std::string>{"text|null"});

    CModelDatabase next;
    ASSERT_EQ(next.Open(CatalogPath()), 1);
    CatalogEntryList again;
    next.ScanModelFolder(PathOf("SModel/E"), again);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(EntryAt<ModelCatalogEntry>(again, 0).name, "");
    EXPECT_EQ(EntryAt<ModelCatalogEntry>(again, 0).vendor, "");
    EXPECT_TRUE(next.IsOpen());

    // A NULL name left by an older catalogue reads as empty too.
    Sql("update QVXModels set Name=NULL");
    CatalogEntryList old;
    next.ScanModelFolder(PathOf("SModel/E"), old);
    EXPECT_EQ(EntryAt<ModelCatalogEntry>(old, 0).name, "");
    EXPECT_TRUE(next.IsOpen());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ModelDatabaseEditTest, UpdateOfAMissingRowIsReportedOnce) {
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    ModelCatalogEntry entry;
    entry.filePath = "/lib/SModel/Gone.qvx";
    entry.name = "Gone";
    database.UpdateModelRow(entry);
    database.UpdateModelRow(entry);
    database.DeleteModelRow(entry);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].starts_with("Database error!\r\nmessage:")) << m_messages[0];
    EXPECT_NE(m_messages[0].find("Gone"), std::string::npos);
    EXPECT_FALSE(database.IsOpen());
    EXPECT_EQ(Rows("select count(*) from QVXModels"), std::vector<std::string>{"0"});
}

TEST_F(ModelDatabaseEditTest, ModelUpdateDeleteAndReloadRoundTrip) {
    WriteFile(PathOf("SModel/R/Chair.qvx"), PackageHeader("Chair", "Acme", 40));
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/R"), list);
    ModelCatalogEntry& chair = EntryAt<ModelCatalogEntry>(list, 0);

    // An edit shows in the next browser's scan, rate kept.
    database.SetModelRate("Chair", 4);
    chair.name = "Armchair";
    chair.width = 100.0f;
    chair.depth = 60.0f;
    chair.height = 80.0f;
    chair.price = 55.0f;
    chair.vendor = "Other";
    database.UpdateModelRow(chair);
    {
        CModelDatabase browser;
        ASSERT_EQ(browser.Open(CatalogPath()), 1);
        CatalogEntryList seen;
        browser.ScanModelFolder(PathOf("SModel/R"), seen);
        const ModelCatalogEntry& edited = EntryAt<ModelCatalogEntry>(seen, 0);
        EXPECT_EQ(edited.name, "Armchair");
        EXPECT_EQ(edited.width, 100.0f);
        EXPECT_EQ(edited.price, 55.0f);
        EXPECT_EQ(edited.vendor, "Other");
        EXPECT_EQ(edited.rate, 4);
    }

    // Reloading takes the file's texts and price back, keeps the size the
    // entry holds, and starts the row at rate 0; the entry keeps its rate.
    chair.rate = 4;
    database.ReloadModelEntry(chair);
    EXPECT_EQ(chair.name, "Chair");
    EXPECT_EQ(chair.vendor, "Acme");
    EXPECT_EQ(chair.price, 40.0f);
    EXPECT_EQ(chair.width, 100.0f);
    EXPECT_EQ(chair.rate, 4);
    EXPECT_EQ(Rows("select * from QVXModels"),
              std::vector<std::string>{"Chair|Chair|100.0|60.0|80.0|40.0|<null>|M-Chair|0|Acme"});

    database.DeleteModelRow(chair);
    EXPECT_EQ(Rows("select count(*) from QVXModels"), std::vector<std::string>{"0"});
    EXPECT_TRUE(m_messages.empty());
}

// A quote in the name is data: the row goes, the others stay and the
// catalogue stays open.
TEST_F(ModelDatabaseEditTest, DeletingARowWhoseNameHoldsAQuoteKeepsTheCatalogue) {
    Sql("insert into QVXModels values('O''Neil','a',1,2,3,4,'d','s',3,'v')");
    Sql("insert into QVXModels values('Neil','b',1,2,3,4,'d','s',3,'v')");
    Sql("insert into Maps values('O''Neil.jpg','a',1,2,3,'d','s',2,'v')");
    Sql("insert into Maps values('Neil.jpg','b',1,2,3,'d','s',2,'v')");
    Sql("insert into TMaps values('O''Neil.bmp','a',1,2,3,'d','s',4,7,8,'v')");
    Sql("insert into TMaps values('Neil.bmp','b',1,2,3,'d','s',4,7,8,'v')");
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    ModelCatalogEntry model;
    model.filePath = "/lib/SModel/O'Neil.qvx";
    database.DeleteModelRow(model);
    TextureCatalogEntry texture;
    texture.filePath = "/lib/STexture/O'Neil.jpg";
    database.DeleteTextureRow(texture);
    PictureCatalogEntry picture;
    picture.filePath = "/lib/STPicture/O'Neil.bmp";
    database.DeletePictureRow(picture);

    EXPECT_TRUE(database.IsOpen());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(Rows("select FileName from QVXModels"), std::vector<std::string>{"Neil"});
    EXPECT_EQ(Rows("select FileName from Maps"), std::vector<std::string>{"Neil.jpg"});
    EXPECT_EQ(Rows("select FileName from TMaps"), std::vector<std::string>{"Neil.bmp"});
}

TEST_F(ModelDatabaseEditTest, TextureAndPictureReloadTakeTheFilesSizeBack) {
    WriteFile(PathOf("STexture/W/Oak.bmp"), BmpBytes(64, 32));
    WriteFile(PathOf("STPicture/P/It's.bmp"), BmpBytes(30, 40));
    CModelDatabase database;
    ASSERT_EQ(database.Open(CatalogPath()), 1);
    CatalogEntryList textures;
    CatalogEntryList pictures;
    database.ScanTextureFolder(PathOf("STexture/W"), textures);
    database.ScanPictureFolder(PathOf("STPicture/P"), pictures);
    TextureCatalogEntry& oak = EntryAt<TextureCatalogEntry>(textures, 0);
    PictureCatalogEntry& poster = EntryAt<PictureCatalogEntry>(pictures, 0);

    oak.name = "Edited";
    oak.width = 5.0;
    database.UpdateTextureRow(oak);
    database.SetTextureRate("Oak.bmp", 3);
    poster.name = "Edited";
    poster.height = 7.0;
    database.UpdatePictureRow(poster);
    EXPECT_EQ(Rows("select Name, Width, Rate from Maps union all select Name, Height, Rate"
                   " from TMaps"),
              (std::vector<std::string>{"Edited|5.0|3", "Edited|7.0|0"}));

    database.ReloadTextureEntry(oak);
    database.ReloadPictureEntry(poster);
    EXPECT_EQ(oak.name, "Oak");
    EXPECT_EQ(oak.width, 64.0);
    EXPECT_EQ(poster.height, 40.0);
    EXPECT_EQ(Rows("select * from Maps"),
              std::vector<std::string>{"Oak.bmp|Oak|64.0|32.0|0.0|<null>|<null>|0|<null>"});
    EXPECT_EQ(Rows("select * from TMaps"),
              std::vector<std::string>{"It's.bmp|It's|30.0|40.0|0.0|<null>|<null>|0|0|0|<null>"});

    database.DeleteTextureRow(oak);
    database.DeletePictureRow(poster);
    EXPECT_EQ(Rows("select count(*) from Maps union all select count(*) from TMaps"),
              (std::vector<std::string>{"0", "0"}));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ModelDatabaseEditTest, WithoutDatabaseReloadStillRefillsTheEntry) {
    Sql("insert into QVXModels values('Chair','Row',1,2,3,4,NULL,NULL,5,NULL)");
    WriteFile(PathOf("SModel/C/Chair.qvx"), PackageHeader("", "Acme", 40));
    CModelDatabase database;
    CatalogEntryList list;
    database.ScanModelFolder(PathOf("SModel/C"), list);
    ModelCatalogEntry& chair = EntryAt<ModelCatalogEntry>(list, 0);
    chair.name = "Edited";
    database.UpdateModelRow(chair);
    database.ReloadModelEntry(chair);
    EXPECT_EQ(chair.name, "New Model");
    EXPECT_EQ(chair.vendor, "Acme");
    database.DeleteModelRow(chair);
    EXPECT_EQ(Rows("select * from QVXModels"),
              std::vector<std::string>{"Chair|Row|1.0|2.0|3.0|4.0|<null>|<null>|5|<null>"});
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
