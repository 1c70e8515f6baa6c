#include "library/ObjectRecordRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "LibraryFileBytes.h"
#include "library/ModelCatalogEntry.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "objects/ModelObjectTestPackage.h"
#include "platform/text/Cp950.h"

namespace {

constexpr const char* kNotPositive = "寬,深,高, 價格不可為負值或0";
constexpr const char* kSizeRange = "請輸入介於 0 和 10000 之間的數字。";
constexpr const char* kPriceRange = "請輸入介於 0 和 100000000 之間的數字。";

// A material file of version 3: image, size, then the catalogue texts.
std::string MaterialFileBytes(const std::string& name, float width, float height, float price) {
    std::string bytes = "QVPxe";
    bytes += '\x03';
    PutInt(bytes, 4);
    bytes += '\x5A';
    bytes += "BM\x01\x02";
    const auto putFloat = [&](float value) {
        std::int32_t bits;
        std::memcpy(&bits, &value, 4);
        PutInt(bytes, bits);
    };
    const auto field = [&](const std::string& utf8, std::size_t width) {
        std::string f = text::Utf8ToCp950(utf8).value();
        f.resize(width, '\0');
        bytes += f;
    };
    putFloat(width);
    putFloat(height);
    field("T-9", 30);
    putFloat(price);
    field(name, 50);
    field("木材行", 50);
    field("地板", 200);
    return bytes;
}

class ObjectRecordRulesTest : public CatalogFixture {
protected:
    void SetUp() override {
        CatalogFixture::SetUp();
        ResetRows();
        model.filePath = PathOf("SModel/Chair.qvx");
        model.name = "椅子";
        model.width = 45.5f;
        model.depth = 50.0f;
        model.height = 80.0f;
        model.price = 1200.0f;
        model.vendor = "Acme";
        texture.filePath = PathOf("STexture/Oak.qvp");
        texture.name = "橡木";
        texture.width = 30.0;
        texture.height = 15.0;
        picture.filePath = PathOf("STPicture/Pic.jpg");
        picture.name = "海報";
        picture.width = 80.0;
        picture.height = 60.0;
    }

    void ResetRows() {
        Sql("delete from QVXModels; delete from Maps; delete from TMaps");
        Sql("insert into QVXModels values('Chair','Old',1,2,3,4,'d','s',3,'v')");
        Sql("insert into Maps values('Oak.qvp','Old',1,2,3,'d','s',2,'v')");
        Sql("insert into TMaps values('Pic.jpg','Old',1,2,3,'d','s',4,7,8,'v')");
    }

    std::unique_ptr<CObjectRecordRules> RulesFor(int kind) {
        switch (kind) {
            case kObjectRecordModel:
                return std::make_unique<CObjectRecordRules>(model, Folder());
            case kObjectRecordTexture:
                return std::make_unique<CObjectRecordRules>(texture, Folder());
            default:
                return std::make_unique<CObjectRecordRules>(picture, Folder());
        }
    }

    // The edited values as the row of the entry's kind holds them.
    std::string RowOf(int kind) {
        const char* queries[] = {
            "select Name, Width, Depth, Height, Price, SerialNo, Vender, Description, Rate"
            " from QVXModels",
            "select Name, Width, Height, Price, SerialNo, Vender, Description, Rate from Maps",
            "select Name, Width, Height, Price, SerialNo, Vender, Description, Rate from TMaps",
        };
        const std::vector<std::string> rows = Rows(queries[kind]);
        return rows.size() == 1 ? rows[0] : "rows: " + std::to_string(rows.size());
    }

    std::string Folder() const { return std::filesystem::path(CatalogPath()).parent_path(); }

    ModelCatalogEntry model;
    TextureCatalogEntry texture;
    PictureCatalogEntry picture;
};

ObjectRecordFields ValidFields() {
    return {"書桌", "120", "60", "75", "3500", "D-1", "木工坊", "實木"};
}

TEST_F(ObjectRecordRulesTest, EachKindShowsItsEntryAndItsOwnControls) {
    struct Case {
        int kind;
        bool hasDepth;
        std::string button;
        std::string title;
        ObjectRecordFields fields;
    };
    const Case cases[] = {
        {kObjectRecordModel,
         true,
         "讀取模型檔案資料",
         "物件資料 - ./SModel/Chair.qvx",
         {"椅子", "45.5", "50", "80", "1200", "", "Acme", ""}},
        {kObjectRecordTexture,
         false,
         "讀取貼圖檔案資料",
         "物件資料 - ./STexture/Oak.qvp",
         {"橡木", "30", "0", "15", "0", "", "", ""}},
        {kObjectRecordPhoto,
         false,
         "讀取貼圖檔案資料",
         "物件資料 - ./STPicture/Pic.jpg",
         {"海報", "80", "0", "60", "0", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const auto rules = RulesFor(c.kind);
        EXPECT_EQ(rules->GetKind(), c.kind);
        EXPECT_EQ(rules->HasDepth(), c.hasDepth);
        EXPECT_EQ(rules->GetReloadButtonText(), c.button);
        EXPECT_EQ(rules->GetTitle(), c.title);
        const ObjectRecordFields& shown = rules->GetInitialFields();
        EXPECT_EQ(shown.name, c.fields.name);
        EXPECT_EQ(shown.width, c.fields.width);
        EXPECT_EQ(shown.depth, c.fields.depth);
        EXPECT_EQ(shown.height, c.fields.height);
        EXPECT_EQ(shown.price, c.fields.price);
        EXPECT_EQ(shown.vendor, c.fields.vendor);
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ObjectRecordRulesTest, AcceptWritesTheEntryAndItsRowAndClosesTheCatalogue) {
    const std::string rows[] = {
        "書桌|120.0|60.0|75.0|3500.0|D-1|木工坊|實木|3",
        "書桌|120.0|75.0|3500.0|D-1|木工坊|實木|2",
        "書桌|120.0|75.0|3500.0|D-1|木工坊|實木|4",
    };
    for (int kind : {kObjectRecordModel, kObjectRecordTexture, kObjectRecordPhoto}) {
        SCOPED_TRACE(kind);
        const auto rules = RulesFor(kind);
        ObjectRecordFields fields = ValidFields();
        fields.width = " 120abc";  // read as its leading number
        ASSERT_TRUE(rules->Accept(fields));
        EXPECT_EQ(fields.width, "120.000000");
        EXPECT_EQ(fields.height, "75.000000");
        EXPECT_EQ(fields.price, "3500.000000");
        EXPECT_EQ(fields.depth, kind == kObjectRecordModel ? "60.000000" : "60");
        EXPECT_FALSE(rules->IsDatabaseOpen());
        EXPECT_EQ(RowOf(kind), rows[kind]);
    }
    EXPECT_EQ(model.name, "書桌");
    EXPECT_EQ(model.depth, 60.0f);
    EXPECT_EQ(model.serialNumber, "D-1");
    EXPECT_EQ(texture.width, 120.0);
    EXPECT_EQ(texture.description, "實木");
    EXPECT_EQ(picture.price, 3500.0);
    EXPECT_EQ(picture.vendor, "木工坊");
    EXPECT_TRUE(m_messages.empty());
}

// Width and height must be above 0, depth and price at least 0; depth belongs
// to models only. Then the ranges: sizes up to 10000, prices up to 100000000.
TEST_F(ObjectRecordRulesTest, RefusesValuesOutOfTheirBoundsPerKind) {
    struct Case {
        std::string ObjectRecordFields::*field;
        std::string text;
        // The message per kind (model, texture, photo); empty when accepted.
        std::string messages[3];
    };
    const Case cases[] = {
        {&ObjectRecordFields::width, "0", {kNotPositive, kNotPositive, kNotPositive}},
        {&ObjectRecordFields::width, "-1", {kNotPositive, kNotPositive, kNotPositive}},
        {&ObjectRecordFields::width, "abc", {kNotPositive, kNotPositive, kNotPositive}},
        // Would be stored as 0.000000.
        {&ObjectRecordFields::width, "0.0000001", {kNotPositive, kNotPositive, kNotPositive}},
        {&ObjectRecordFields::width, "0.000001", {"", "", ""}},
        {&ObjectRecordFields::width, "10000", {"", "", ""}},
        {&ObjectRecordFields::width, "10000.5", {kSizeRange, kSizeRange, kSizeRange}},
        {&ObjectRecordFields::height, "0", {kNotPositive, kNotPositive, kNotPositive}},
        {&ObjectRecordFields::height, "-0.5", {kNotPositive, kNotPositive, kNotPositive}},
        {&ObjectRecordFields::height, "inf", {kSizeRange, kSizeRange, kSizeRange}},
        {&ObjectRecordFields::depth, "0", {"", "", ""}},
        {&ObjectRecordFields::depth, "-1", {kNotPositive, "", ""}},
        {&ObjectRecordFields::depth, "nan", {kNotPositive, "", ""}},
        {&ObjectRecordFields::depth, "10001", {kSizeRange, "", ""}},
        {&ObjectRecordFields::price, "0", {"", "", ""}},
        {&ObjectRecordFields::price, "-0.01", {kNotPositive, kNotPositive, kNotPositive}},
        {&ObjectRecordFields::price, "100000000", {"", "", ""}},
        {&ObjectRecordFields::price, "1e9", {kPriceRange, kPriceRange, kPriceRange}},
    };
    for (const Case& c : cases) {
        for (int kind : {kObjectRecordModel, kObjectRecordTexture, kObjectRecordPhoto}) {
            SCOPED_TRACE(c.text + " kind " + std::to_string(kind));
            m_messages.clear();
            ResetRows();
            const std::string rowBefore = RowOf(kind);
            const float modelWidth = model.width;
            const double textureWidth = texture.width;
            const double pictureWidth = picture.width;
            const auto rules = RulesFor(kind);
            ObjectRecordFields fields = ValidFields();
            fields.*c.field = c.text;
            const bool accepted = rules->Accept(fields);
            const std::string& expected = c.messages[kind];
            EXPECT_EQ(accepted, expected.empty());
            EXPECT_EQ(m_messages, expected.empty() ? std::vector<std::string>()
                                                   : std::vector<std::string>{expected});
            if (accepted) {
                EXPECT_NE(RowOf(kind), rowBefore);
            } else {
                EXPECT_TRUE(rules->IsDatabaseOpen());
                EXPECT_EQ(RowOf(kind), rowBefore);
                EXPECT_EQ(model.width, modelWidth);
                EXPECT_EQ(texture.width, textureWidth);
                EXPECT_EQ(picture.width, pictureWidth);
            }
        }
    }
}

TEST_F(ObjectRecordRulesTest, RefusesTextsWithoutABig5Form) {
    const auto rules = RulesFor(kObjectRecordTexture);
    ObjectRecordFields fields = ValidFields();
    fields.vendor = "木工坊😀";
    EXPECT_FALSE(rules->Accept(fields));
    EXPECT_EQ(m_messages, std::vector<std::string>{"「廠商」含有 Big5 無法表示的字元。"});
    EXPECT_EQ(texture.vendor, "");
    EXPECT_EQ(RowOf(kObjectRecordTexture), "Old|1.0|2.0|3.0|s|v|d|2");
}

TEST_F(ObjectRecordRulesTest, WithoutCatalogueFieldsStartEmptyAndOnlyTheEntryChanges) {
    TempFolder elsewhere;
    CObjectRecordRules rules(model, elsewhere.Path().string());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].rfind("Connect Database error!", 0), 0u) << m_messages[0];
    EXPECT_FALSE(rules.IsDatabaseOpen());
    EXPECT_EQ(rules.GetInitialFields().name, "");
    EXPECT_EQ(rules.GetInitialFields().width, "");
    ObjectRecordFields fields = ValidFields();
    EXPECT_TRUE(rules.Accept(fields));
    EXPECT_EQ(model.name, "書桌");
    EXPECT_EQ(model.width, 120.0f);
    EXPECT_EQ(RowOf(kObjectRecordModel), "Old|1.0|2.0|3.0|4.0|s|v|d|3");
}

TEST_F(ObjectRecordRulesTest, ReloadTakesTheTextsFromTheFileAndKeepsAModelsSize) {
    WriteFile(model.filePath, model_test::MakePackage({}));
    const auto modelRules = RulesFor(kObjectRecordModel);
    ObjectRecordFields fields = ValidFields();
    ASSERT_TRUE(modelRules->ReloadFromFile(fields));
    EXPECT_EQ(fields.name, "方盒");
    EXPECT_EQ(fields.serialNumber, "B-1");
    EXPECT_EQ(fields.vendor, "Acme");
    EXPECT_EQ(fields.description, "box");
    EXPECT_EQ(fields.price, "10");
    EXPECT_EQ(fields.width, "120");
    EXPECT_EQ(fields.depth, "60");
    ASSERT_NE(model.package, nullptr);
    EXPECT_EQ(model.package->GetName(), "方盒");

    // The extension is compared ignoring case.
    texture.filePath = PathOf("STexture/Oak.QVP");
    WriteFile(texture.filePath, MaterialFileBytes("淺橡木", 40.0f, 20.0f, 99.5f));
    const auto textureRules = RulesFor(kObjectRecordTexture);
    fields = ValidFields();
    ASSERT_TRUE(textureRules->ReloadFromFile(fields));
    EXPECT_EQ(fields.name, "淺橡木");
    EXPECT_EQ(fields.serialNumber, "T-9");
    EXPECT_EQ(fields.vendor, "木材行");
    EXPECT_EQ(fields.description, "地板");
    EXPECT_EQ(fields.width, "40");
    EXPECT_EQ(fields.height, "20");
    EXPECT_EQ(fields.price, "99.5");
    EXPECT_EQ(texture.material.GetName(), "淺橡木");
    // Nothing is stored before OK.
    EXPECT_EQ(texture.name, "橡木");
    EXPECT_EQ(RowOf(kObjectRecordTexture), "Old|1.0|2.0|3.0|s|v|d|2");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ObjectRecordRulesTest, ReloadOfAPlainImageDoesNothing) {
    WriteFile(picture.filePath, BmpBytes(8, 8));
    const auto rules = RulesFor(kObjectRecordPhoto);
    ObjectRecordFields fields = ValidFields();
    EXPECT_FALSE(rules->ReloadFromFile(fields));
    EXPECT_EQ(fields.name, "書桌");
    EXPECT_EQ(fields.width, "120");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ObjectRecordRulesTest, UnreadableFileOnReloadLeavesEntryAndFields) {
    WriteFile(model.filePath, "Orvik\x09");
    model.package = std::make_unique<CModelPackage>();
    const CModelPackage* before = model.package.get();
    WriteFile(texture.filePath, "QVPxe\x03");
    texture.material.width = 7.0f;
    texture.material.data = {1, 2, 3};
    for (int kind : {kObjectRecordModel, kObjectRecordTexture}) {
        const auto rules = RulesFor(kind);
        ObjectRecordFields fields = ValidFields();
        EXPECT_FALSE(rules->ReloadFromFile(fields));
        EXPECT_EQ(fields.name, "書桌");
    }
    EXPECT_EQ(m_messages, (std::vector<std::string>{"無法讀取模型檔案：" + model.filePath,
                                                    "無法讀取貼圖檔案：" + texture.filePath}));
    EXPECT_EQ(model.package.get(), before);
    EXPECT_EQ(texture.material.width, 7.0f);
    EXPECT_EQ(texture.material.data.size(), 3u);
}

}  // namespace
