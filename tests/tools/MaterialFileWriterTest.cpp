#include "objects/MaterialFileWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "objects/MaterialFileReader.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

// A picture whose every pixel differs from its neighbours, so a flipped or
// shifted image shows.
image::Raster Gradient(int width, int height) {
    image::Raster raster;
    image::AllocateRaster(raster, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = raster.bgra.data() + raster.Stride() * y + 4 * x;
            p[0] = static_cast<std::uint8_t>(10 * x);
            p[1] = static_cast<std::uint8_t>(20 * y);
            p[2] = static_cast<std::uint8_t>(7 * x + 3 * y);
        }
    }
    return raster;
}

MaterialFileContents Sample() {
    MaterialFileContents contents;
    contents.name = "許氏橡木地板";  // 許 has a backslash trail byte
    contents.serialNumber = "VT-0451";
    contents.vendor = "木紋工坊";
    contents.description = "實木地板，一片 15 公分寬";
    contents.webLink = "https://example.org/橡木";
    contents.width = 15.0f;
    contents.height = 90.5f;
    contents.price = 1250.0f;
    contents.image = Gradient(5, 3);
    return contents;
}

TEST(MaterialFileWriterTest, WrittenFileReadsBackWhole) {
    TempFolder folder;
    const MaterialFileContents contents = Sample();
    const auto path = folder.Path() / "oak.qvp";
    std::string error;
    ASSERT_TRUE(WriteMaterialFile(path, contents, &error)) << error;

    for (bool convert : {true, false}) {
        SCOPED_TRACE(convert);
        MaterialFileRecord record;
        ASSERT_TRUE(LoadMaterialFile(path.string(), record, kMaterialFileQvp, convert));
        EXPECT_EQ(record.GetName(), contents.name);
        EXPECT_EQ(record.GetSerialNumber(), contents.serialNumber);
        EXPECT_EQ(record.GetVendor(), contents.vendor);
        EXPECT_EQ(record.GetDescription(), contents.description);
        EXPECT_EQ(record.width, contents.width);
        EXPECT_EQ(record.height, contents.height);
        EXPECT_EQ(record.price, contents.price);
        EXPECT_EQ(record.extra, "https://example.org/" + std::string("\xBE\xF3\xA4\xEC"));

        // Stored or converted, the image decodes to the same pixels.
        image::CImage picture;
        ASSERT_TRUE(picture.Decode(record.data.data(), record.data.size(),
                                   convert ? image::ImageFormat::Bmp : image::ImageFormat::Tga))
            << picture.GetLastError();
        ASSERT_EQ(picture.GetWidth(), 5);
        ASSERT_EQ(picture.GetHeight(), 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x) {
                const std::uint8_t* want = contents.image.bgra.data() + 20 * y + 4 * x;
                const image::Color got = picture.GetPixelColor(x, y);
                EXPECT_EQ(got.b, want[0]) << x << "," << y;
                EXPECT_EQ(got.g, want[1]) << x << "," << y;
                EXPECT_EQ(got.r, want[2]) << x << "," << y;
            }
        }
        if (convert) {
            EXPECT_EQ(record.pixelWidth, 5.0f);
            EXPECT_EQ(record.pixelHeight, 3.0f);
        }
    }
    EXPECT_EQ(GetMaterialFileDataSize(path.string()), 18 + 5 * 3 * 3);
}

// Texts longer than their fields are cut on a character boundary, leaving
// the field's last byte for the NUL the readers put there.
TEST(MaterialFileWriterTest, LongTextsAreCutWholeCharactersFirst) {
    TempFolder folder;
    MaterialFileContents contents = Sample();
    contents.name = "a";
    for (int i = 0; i < 30; ++i) {
        contents.name += "木";
    }
    contents.serialNumber = std::string(40, 'S');
    contents.webLink.clear();
    const auto path = folder.Path() / "long.qvp";
    std::string error;
    ASSERT_TRUE(WriteMaterialFile(path, contents, &error)) << error;
    MaterialFileRecord record;
    ASSERT_TRUE(LoadMaterialFile(path.string(), record, kMaterialFileQvp, true));
    // 1 + 24 x 2 = 49 bytes: a 25th character would end in the NUL's byte.
    std::string name = "a";
    for (int i = 0; i < 24; ++i) {
        name += "木";
    }
    EXPECT_EQ(record.GetName(), name);
    EXPECT_EQ(record.GetSerialNumber(), std::string(29, 'S'));
    EXPECT_EQ(record.extra, "");
}

TEST(MaterialFileWriterTest, RefusesWhatItCannotStoreAndKeepsTheEarlierFile) {
    TempFolder folder;
    const auto path = folder.Write("kept.qvp", "earlier");
    struct Case {
        const char* what;
        void (*spoil)(MaterialFileContents&);
    };
    const Case cases[] = {
        {"no CP950 form", [](MaterialFileContents& c) { c.vendor = "\xF0\x9F\x98\x80"; }},
        {"link without CP950 form",
         [](MaterialFileContents& c) { c.webLink += "\xF0\x9F\x98\x80"; }},
        {"no image", [](MaterialFileContents& c) { c.image = image::Raster(); }},
        {"too wide for TGA",
         [](MaterialFileContents& c) {
             c.image.width = 70000;
             c.image.height = 1;
             c.image.bgra.assign(70000 * 4, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MaterialFileContents contents = Sample();
        c.spoil(contents);
        std::string error;
        EXPECT_FALSE(WriteMaterialFile(path, contents, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(std::filesystem::file_size(path), 7u);
    }
}

}  // namespace
