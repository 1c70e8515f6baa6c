#include "objects/MaterialFileReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image/Image.h"
#include "platform/text/Cp950.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes MakeBmp(int width, int height) {
    image::CImage picture;
    EXPECT_TRUE(picture.Create(width, height));
    return picture.Encode(image::ImageFormat::Bmp).value_or(Bytes());
}

Bytes MakeJpg(int width, int height) {
    image::CImage picture;
    EXPECT_TRUE(picture.Create(width, height));
    return picture.Encode(image::ImageFormat::Jpg).value_or(Bytes());
}

// An uncompressed 24-bit TGA, grey.
Bytes MakeTga(int width, int height) {
    constexpr std::size_t kHeaderSize = 18;
    Bytes tga(kHeaderSize + static_cast<std::size_t>(width * height * 3), 0x80);
    std::fill_n(tga.begin(), kHeaderSize, 0);
    tga[2] = 2;
    tga[12] = static_cast<std::uint8_t>(width);
    tga[13] = static_cast<std::uint8_t>(width >> 8);
    tga[14] = static_cast<std::uint8_t>(height);
    tga[15] = static_cast<std::uint8_t>(height >> 8);
    tga[16] = 24;
    return tga;
}

bool StartsAsBmp(const Bytes& data) {
    return data.size() > 2 && data[0] == 'B' && data[1] == 'M';
}

std::string Cp950(const char* utf8) {
    return text::Utf8ToCp950(utf8).value();
}

// A material file laid out byte by byte. The optional fields written are those
// of `layout`, whatever the version byte says.
struct MaterialFile {
    std::string tag = "QVPxe";
    std::uint8_t version = 5;
    int layout = 5;
    Bytes payload = MakeTga(3, 2);
    std::optional<std::int32_t> payloadLength;
    float width = 120.0f;
    float height = 60.0f;
    std::string serialNumber = "SN-7";
    float price = 350.5f;
    std::string name = "Oak";
    std::string vendor = "Mill";
    std::string description = "Floor board";
    std::string extra = "http://example.org";
    std::optional<std::uint32_t> extraLength;

    Bytes Build() const {
        Bytes out(tag.begin(), tag.end());
        out.push_back(version);
        PutInt(out, payloadLength.value_or(static_cast<std::int32_t>(payload.size())));
        out.push_back(0x5A);
        out.insert(out.end(), payload.begin(), payload.end());
        if (layout >= 2) {
            PutInt(out, std::bit_cast<std::int32_t>(width));
            PutInt(out, std::bit_cast<std::int32_t>(height));
        }
        if (layout >= 3) {
            PutField(out, serialNumber, 30);
            PutInt(out, std::bit_cast<std::int32_t>(price));
            PutField(out, name, 50);
            PutField(out, vendor, 50);
            PutField(out, description, 200);
        }
        if (layout >= 5) {
            PutInt(out, static_cast<std::int32_t>(
                            extraLength.value_or(static_cast<std::uint32_t>(extra.size()))));
            out.insert(out.end(), extra.begin(), extra.end());
        }
        return out;
    }

    static void PutInt(Bytes& out, std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        }
    }

    // The bytes as given, cut or zero-padded to the width (a full field has
    // no NUL).
    static void PutField(Bytes& out, const std::string& bytes, std::size_t width) {
        std::string field = bytes.substr(0, width);
        field.resize(width, '\0');
        out.insert(out.end(), field.begin(), field.end());
    }
};

class MaterialFileReaderTest : public ::testing::Test {
protected:
    std::string Write(const std::string& fileName, const Bytes& bytes) {
        return m_folder
            .Write(fileName,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))
            .string();
    }

    TempFolder m_folder;
};

TEST_F(MaterialFileReaderTest, ReadsTheFieldsEachVersionCarries) {
    struct Case {
        std::uint8_t version;
        bool hasSize;
        bool hasTexts;
        bool hasExtra;
    };
    // 0x85 is a negative version: none of the optional fields, although the
    // file holds them all.
    const Case cases[] = {
        {1, false, false, false}, {2, true, false, false},     {3, true, true, false},
        {5, true, true, true},    {0x85, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.version});
        MaterialFile file;
        file.version = c.version;
        file.layout = c.version == 0x85 ? 5 : c.version;
        // Images are TGA from version 4 on, .bmp before.
        const bool tga = c.version >= 4 && c.version < 0x80;
        if (!tga) {
            file.payload = MakeBmp(3, 2);
        }
        const std::string path = Write("grain.qvp", file.Build());

        MaterialFileRecord record;
        ASSERT_TRUE(LoadMaterialFile(path, record, kMaterialFileQvp, true));
        if (tga) {
            EXPECT_TRUE(StartsAsBmp(record.data));
        } else {
            EXPECT_EQ(record.data, file.payload);
        }
        EXPECT_EQ(record.pixelWidth, 3.0f);
        EXPECT_EQ(record.pixelHeight, 2.0f);
        EXPECT_EQ(record.width, c.hasSize ? 120.0f : 0.0f);
        EXPECT_EQ(record.height, c.hasSize ? 60.0f : 0.0f);
        EXPECT_EQ(record.GetName(), c.hasTexts ? "Oak" : "grain");
        EXPECT_EQ(record.GetSerialNumber(), c.hasTexts ? "SN-7" : "");
        EXPECT_EQ(record.price, c.hasTexts ? 350.5f : 0.0f);
        EXPECT_EQ(record.GetVendor(), c.hasTexts ? "Mill" : "");
        EXPECT_EQ(record.GetDescription(), c.hasTexts ? "Floor board" : "");
        EXPECT_EQ(record.extra, c.hasExtra ? "http://example.org" : "");
    }
}

TEST_F(MaterialFileReaderTest, StoredTextsAreCp950AndAnEmptyStoredNameStaysEmpty) {
    MaterialFile file;
    file.name = "";
    file.vendor = Cp950("木紋工坊");
    file.description = Cp950("許氏地板");  // 許 has a backslash trail byte
    MaterialFileRecord record;
    ASSERT_TRUE(LoadMaterialFile(Write("grain.qvp", file.Build()), record, kMaterialFileQvp, true));
    EXPECT_EQ(record.GetName(), "");
    EXPECT_EQ(record.GetVendor(), "木紋工坊");
    EXPECT_EQ(record.GetDescription(), "許氏地板");
    EXPECT_EQ(std::string(record.vendor.data()), Cp950("木紋工坊"));
}

TEST_F(MaterialFileReaderTest, TextFieldsWithoutNulAreCutBeforeTheirLastByte) {
    MaterialFile file;
    file.serialNumber = std::string(30, 'S');
    file.name = std::string(50, 'N');
    file.vendor = std::string(50, 'V');
    file.description = std::string(200, 'D');
    MaterialFileRecord record;
    ASSERT_TRUE(LoadMaterialFile(Write("full.qvp", file.Build()), record, kMaterialFileQvp, true));
    EXPECT_EQ(record.GetSerialNumber(), std::string(29, 'S'));
    EXPECT_EQ(record.GetName(), std::string(49, 'N'));
    EXPECT_EQ(record.GetVendor(), std::string(49, 'V'));
    EXPECT_EQ(record.GetDescription(), std::string(199, 'D'));
    EXPECT_EQ(record.extra, "http://example.org");
}

TEST_F(MaterialFileReaderTest, FieldsBeyondTheEndOfAShortFileReadAsZero) {
    MaterialFile file;
    file.layout = 3;
    Bytes bytes = file.Build();
    // Cut just after the price: the stored name, vendor and description are
    // missing and the name taken from the file name is overwritten too.
    bytes.resize(53 + file.payload.size());
    MaterialFileRecord record;
    ASSERT_TRUE(LoadMaterialFile(Write("short.qvp", bytes), record, kMaterialFileQvp, true));
    EXPECT_EQ(record.width, 120.0f);
    EXPECT_EQ(record.GetSerialNumber(), "SN-7");
    EXPECT_EQ(record.price, 350.5f);
    EXPECT_EQ(record.GetName(), "");
    EXPECT_EQ(record.GetVendor(), "");
    EXPECT_EQ(record.extra, "");
}

TEST_F(MaterialFileReaderTest, VersionFourTgaIsConvertedOnlyWhenAsked) {
    MaterialFile file;
    file.version = 4;
    file.layout = 4;
    file.payload = MakeTga(5, 4);
    const std::string path = Write("tga.qvp", file.Build());

    MaterialFileRecord converted;
    ASSERT_TRUE(LoadMaterialFile(path, converted, kMaterialFileQvp, true));
    EXPECT_TRUE(StartsAsBmp(converted.data));
    EXPECT_EQ(converted.pixelWidth, 5.0f);
    EXPECT_EQ(converted.pixelHeight, 4.0f);
    EXPECT_EQ(converted.width, 120.0f);

    // As stored the "size" comes from pixel bytes, not from the TGA header.
    MaterialFileRecord stored;
    ASSERT_TRUE(LoadMaterialFile(path, stored, kMaterialFileQvp, false));
    EXPECT_EQ(stored.data, file.payload);
    EXPECT_EQ(stored.pixelWidth, static_cast<float>(0x80808080 - 0x100000000LL));
}

TEST_F(MaterialFileReaderTest, NoPixelSizeFromDataShorterThanABmpHeader) {
    struct Case {
        const char* label;
        Bytes payload;
        bool convert;
    };
    const Case cases[] = {
        {"short payload", Bytes(20, 0x7F), false},
        {"undecodable TGA", Bytes(40, 0x7F), true},
        {"empty payload", Bytes(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MaterialFile file;
        file.version = 4;
        file.layout = 4;
        file.payload = c.payload;
        MaterialFileRecord record;
        ASSERT_TRUE(
            LoadMaterialFile(Write("odd.qvp", file.Build()), record, kMaterialFileQvp, c.convert));
        EXPECT_EQ(record.data.size(), c.convert ? 0u : c.payload.size());
        EXPECT_EQ(record.pixelWidth, 0.0f);
        EXPECT_EQ(record.pixelHeight, 0.0f);
        EXPECT_EQ(record.GetName(), "Oak");
    }
}

TEST_F(MaterialFileReaderTest, DamagedOrScrambledFilesAreRefusedWhole) {
    struct Case {
        const char* label;
        MaterialFile file;
        std::size_t cutTo = 0;
    };
    std::vector<Case> cases(7);
    cases[0].label = "scrambled image";
    cases[0].file.tag = "QVPx1";
    cases[1].label = "negative payload length";
    cases[1].file.payloadLength = -1;
    cases[2].label = "payload length past the end";
    cases[2].file.payloadLength = static_cast<std::int32_t>(cases[2].file.payload.size()) + 400;
    cases[3].label = "huge payload length";
    cases[3].file.payloadLength = 0x7FFFFFFF;
    cases[4].label = "extra length past the end";
    cases[4].file.extraLength = 19;
    cases[5].label = "huge extra length";
    cases[5].file.extraLength = 0xFFFFFFFFu;
    cases[6].label = "header cut short";
    cases[6].cutTo = 8;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Bytes bytes = c.file.Build();
        if (c.cutTo > 0) {
            bytes.resize(c.cutTo);
        }
        MaterialFileRecord record;
        record.price = 9.0f;
        EXPECT_FALSE(LoadMaterialFile(Write("bad.qvp", bytes), record, kMaterialFileQvp, true));
        EXPECT_TRUE(record.data.empty());
        EXPECT_TRUE(record.extra.empty());
        EXPECT_EQ(record.GetName(), "");
        EXPECT_EQ(record.width, 0.0f);
        EXPECT_EQ(record.price, 0.0f);
    }
}

TEST_F(MaterialFileReaderTest, MissingFileOrUnknownKindIsRefused) {
    MaterialFileRecord record;
    EXPECT_FALSE(
        LoadMaterialFile((m_folder.Path() / "none.qvp").string(), record, kMaterialFileQvp, true));
    EXPECT_EQ(record.GetName(), "");
    const std::string path = Write("plain.bmp", MakeBmp(2, 2));
    EXPECT_FALSE(LoadMaterialFile(path, record, 4, true));
    EXPECT_TRUE(record.data.empty());
}

TEST_F(MaterialFileReaderTest, ImageFilesBecomeBmpBytesWithTheirPixelSize) {
    struct Case {
        const char* fileName;
        int kind;
        Bytes bytes;
    };
    const Case cases[] = {
        {"a.bmp", kMaterialFileBmp, MakeBmp(7, 3)},
        {"a.jpg", kMaterialFileJpg, MakeJpg(7, 3)},
        {"a.tga", kMaterialFileTga, MakeTga(7, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        MaterialFileRecord record;
        ASSERT_TRUE(LoadMaterialFile(Write(c.fileName, c.bytes), record, c.kind, false));
        EXPECT_TRUE(StartsAsBmp(record.data));
        if (c.kind == kMaterialFileBmp) {
            EXPECT_EQ(record.data, c.bytes);
        }
        EXPECT_EQ(record.width, 7.0f);
        EXPECT_EQ(record.height, 3.0f);
        EXPECT_EQ(record.pixelWidth, 7.0f);
        EXPECT_EQ(record.pixelHeight, 3.0f);
        EXPECT_EQ(record.GetName(), "a");
    }
}

TEST_F(MaterialFileReaderTest, UndecodableImageFileGivesNoData) {
    MaterialFileRecord record;
    ASSERT_TRUE(
        LoadMaterialFile(Write("broken.jpg", Bytes(64, 0x33)), record, kMaterialFileJpg, true));
    EXPECT_TRUE(record.data.empty());
    EXPECT_EQ(record.width, 0.0f);
    EXPECT_EQ(record.pixelHeight, 0.0f);
    EXPECT_EQ(record.GetName(), "broken");
}

TEST_F(MaterialFileReaderTest, NameComesFromTheFileNameCutOnACharacterBoundary) {
    std::string thirtyChinese;
    for (int i = 0; i < 30; ++i) {
        thirtyChinese += "木";
    }
    const std::string twentyFour = thirtyChinese.substr(0, 24 * 3);
    struct Case {
        std::string fileName;
        std::string name;
    };
    const Case cases[] = {
        {"oak.floor.bmp", "oak.floor"},
        {"許氏.bmp", "許氏"},
        // 60 bytes: 49 would split a character, so 48 are kept.
        {thirtyChinese + ".bmp", twentyFour},
        {"a" + thirtyChinese + ".bmp", "a" + twentyFour},
        {std::string(60, 'x') + ".bmp", std::string(49, 'x')},
        // No CP950 form.
        {"\xF0\x9F\x98\x80.bmp", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        MaterialFileRecord record;
        ASSERT_TRUE(
            LoadMaterialFile(Write(c.fileName, MakeBmp(1, 1)), record, kMaterialFileBmp, false));
        EXPECT_EQ(record.GetName(), c.name);
        EXPECT_EQ(record.name.back(), '\0');
    }
}

TEST_F(MaterialFileReaderTest, DataSizeWithoutReadingTheImage) {
    MaterialFile material;
    const Bytes bmp = MakeBmp(4, 4);
    const std::string qvp = Write("m.qvp", material.Build());
    const std::string plain = Write("p.BMP", bmp);
    const std::string jpeg = Write("p.jpeg", MakeJpg(2, 2));
    const std::string png = Write("p.png", bmp);
    MaterialFile negative;
    negative.payloadLength = -5;
    const std::string damaged = Write("d.qvp", negative.Build());

    EXPECT_EQ(GetMaterialFileDataSize(qvp), static_cast<std::int32_t>(material.payload.size()));
    EXPECT_EQ(GetMaterialFileDataSize(plain), static_cast<std::int32_t>(bmp.size()));
    EXPECT_EQ(GetMaterialFileDataSize(jpeg), 0);
    EXPECT_EQ(GetMaterialFileDataSize(png), 0);
    EXPECT_EQ(GetMaterialFileDataSize(damaged), 0);
    EXPECT_EQ(GetMaterialFileDataSize((m_folder.Path() / "none.bmp").string()), 0);
}

TEST(MaterialFileRecordTest, FreeMaterialImageDropsOnlyTheImage) {
    MaterialFileRecord record;
    record.data = Bytes(10, 1);
    record.extra = "link";
    record.width = 3.0f;
    FreeMaterialImage(record);
    EXPECT_EQ(record.GetDataLength(), 0);
    EXPECT_EQ(record.extra, "link");
    EXPECT_EQ(record.width, 3.0f);
}

}  // namespace
