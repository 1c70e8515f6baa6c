#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/ModelPackage.h"
#include "objects/ModelPackageWriter.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += text;
    }
    return out;
}

// What the library's own packages carry beyond an export: catalogue texts,
// a preview and a plan symbol, read back in the modes that read them.
TEST(ModelPackageCatalogueFieldsTest, TextsPreviewAndSymbolReadBack) {
    TempFolder folder;
    PackagedModelContents contents;
    contents.name = "餐椅";
    contents.modelNumber = "VT-0451";
    contents.vendor = "許氏木器";  // 許 has a backslash trail byte
    contents.description = "a" + Repeat("椅", 120);
    contents.price = 1900.5f;
    contents.mesh = {'x', 'o', 'f', ' '};
    contents.preview = {'B', 'M', 1, 2, 3};
    contents.symbolName = "一二三四五六七八九十壹.dxf";
    contents.symbol = {'0', '\r', '\n'};
    const auto path = folder.Path() / "餐椅.qvx";
    std::string error;
    ASSERT_TRUE(WriteModelPackage(path, contents, &error)) << error;

    for (int mode : {kPackageReadAll, kPackageReadHeader, kPackageReadMesh}) {
        SCOPED_TRACE(mode);
        CModelPackage package;
        ASSERT_EQ(package.Load(path.string(), mode), 1) << package.GetLastError();
        EXPECT_EQ(package.GetModelNumber(), "VT-0451");
        EXPECT_EQ(package.GetVendor(), "許氏木器");
        // 196 bytes: "a" and 97 two-byte characters, never half of one.
        EXPECT_EQ(package.GetDescription(), "a" + Repeat("椅", 97));
        EXPECT_EQ(package.GetPrice(), 1900.5f);
        EXPECT_EQ(package.GetPreview(), mode == kPackageReadMesh ? Bytes() : contents.preview);
        EXPECT_EQ(package.GetMeshData(), mode == kPackageReadHeader ? Bytes() : contents.mesh);
        if (mode == kPackageReadAll) {
            // 20 bytes: ten characters; the extension does not fit.
            EXPECT_EQ(package.GetSymbolName(), "一二三四五六七八九十");
            EXPECT_EQ(package.GetSymbolData(), contents.symbol);
        }
    }
}

TEST(ModelPackageCatalogueFieldsTest, TextWithoutBig5FormIsRefused) {
    PackagedModelContents contents;
    contents.name = "chair";
    contents.mesh = {'x'};
    contents.vendor = "\xF0\x9F\x98\x80";
    std::string file;
    std::string error;
    EXPECT_FALSE(EncodeModelPackage(contents, &file, &error));
    EXPECT_NE(error.find(contents.vendor), std::string::npos) << error;
}

}  // namespace
