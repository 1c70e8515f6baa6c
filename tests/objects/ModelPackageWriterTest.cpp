#include "objects/ModelPackageWriter.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/ApplicationValues.h"
#include "objects/ModelObject.h"
#include "objects/ModelPackage.h"
#include "platform/fs/RegularFile.h"
#include "support/ByteSink.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

PackagedTexture Texture(std::string name, Bytes image) {
    PackagedTexture texture;
    texture.name = std::move(name);
    if (!image.empty()) {
        texture.bytes = std::make_shared<const Bytes>(std::move(image));
    }
    return texture;
}

std::string ReadBack(const std::filesystem::path& path) {
    return pfs::ReadWholeFile(path, pfs::kBinaryFileLimit).Value();
}

class ModelPackageWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousProgramFolder = GetProgramFolder();
        SetProgramFolder(m_folder.Path() / "program");
    }
    void TearDown() override { SetProgramFolder(m_previousProgramFolder); }

    // Writes contents as tmp.qvx and returns its path.
    std::string Write(const PackagedModelContents& contents) {
        const std::filesystem::path path = m_folder.Path() / "tmp.qvx";
        std::string error;
        EXPECT_TRUE(WriteModelPackage(path, contents, &error)) << error;
        return path.string();
    }

    TempFolder m_folder;

private:
    std::string m_previousProgramFolder;
};

TEST_F(ModelPackageWriterTest, CurrentVersionLayoutIsByteExact) {
    PackagedModelContents contents;
    contents.name = "tmp";
    contents.webLink = "http://example.invalid/椅";
    contents.mesh = {'x', 'o', 'f', ' '};
    contents.textures = {Texture("wood.bmp", {'B', 'M', 1}), Texture("材質", {}),
                         Texture("wood.bmp", {'B', 'M', 1})};
    contents.edges = {{{1, 2, 3}, {4, 5, 6}, {0, 0, -1}}};

    std::string file;
    std::string error;
    ASSERT_TRUE(EncodeModelPackage(contents, &file, &error)) << error;

    ByteSink expected;
    expected.Raw("Orvik").Byte(9).Int(4).Raw("tmp").Zeros(48).Zeros(30 + 50 + 196 + 4);
    const std::string link = text::Utf8ToCp950(contents.webLink).value();
    expected.Int(static_cast<int32_t>(link.size())).Raw(link).Zeros(100);
    expected.Byte(0).Int(0);       // no preview
    expected.Byte(0).Raw("xof ");  // the mesh
    expected.Int(2);               // two entries, the untextured material has none
    expected.Raw("wood.bmp").Zeros(12).Int(3).Byte(0).Raw("BM\x01");
    expected.Raw("@@wood.bmp").Zeros(10).Int(3);
    expected.Zeros(20).Byte(0).Int(0);  // no symbol
    expected.Int(1).Floats({1, 2, 3, 4, 5, 6, 0, 0, -1});
    EXPECT_EQ(file, expected.Bytes());
    // Where the exporter's files put the header fields.
    EXPECT_EQ(file.substr(341, 4), expected.Bytes().substr(341, 4));
    EXPECT_EQ(file.substr(345, link.size()), link);
}

// Two materials share a texture whose name is too long for a reference, and
// one material's texture file was missing: every entry the count promises is
// there, and both materials find their image again.
TEST_F(ModelPackageWriterTest, LongSharedNameAndMissingTextureReadBackWholeInEveryMode) {
    const std::string longName = "living-room-oak-floor.bmp";  // 25 bytes
    ASSERT_EQ(longName.size(), 25u);
    const Bytes oak = {'B', 'M', 9, 8, 7, 6};
    PackagedModelContents contents;
    contents.name = "tmp";
    contents.mesh = {'x', 'o', 'f'};
    contents.textures = {Texture(longName, oak), Texture("lost.bmp", {}), Texture(longName, oak),
                         Texture("tile.bmp", {'B', 'M', 5})};
    contents.edges = {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {1, 1, 0}, {0, 0, 1}}};
    m_folder.Write("program/2Dicon/squrt.dxf", "0\nEOF\n");
    const std::string path = Write(contents);

    for (const int mode : {kPackageReadAll, kPackageReadMesh, kPackageReadHeader}) {
        SCOPED_TRACE(mode);
        CModelPackage package;
        ASSERT_EQ(package.Load(path, mode), 1) << package.GetLastError();
        EXPECT_EQ(package.GetVersion(), 9);
        EXPECT_EQ(package.GetName(), "tmp");
        if (mode == kPackageReadHeader) {
            EXPECT_TRUE(package.GetTextures().empty());
            continue;
        }
        EXPECT_EQ(package.GetMeshData(), contents.mesh);
        const std::vector<PackagedTexture>& textures = package.GetTextures();
        ASSERT_EQ(textures.size(), 3u);
        EXPECT_EQ(textures[0].name, longName.substr(0, 20));
        EXPECT_EQ(textures[0].Data(), oak);
        EXPECT_EQ(textures[1].name, longName.substr(0, 20));
        EXPECT_EQ(textures[1].Data(), oak);
        EXPECT_EQ(textures[2].name, "tile.bmp");
        const PackagedTexture* found = CModelObject::FindPackagedTexture(textures, longName);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->Data(), oak);
        if (mode == kPackageReadAll) {
            EXPECT_EQ(package.GetSymbolName(), "squrt.dxf");
            ASSERT_EQ(package.GetEdgeCount(), 2);
            EXPECT_EQ(package.GetEdgeRecords()[1].facing.z, 1.0f);
        }
    }
}

// A reference keeps 18 bytes of the name after "@@"; a longer name is
// stored again, cut to the entry's 20 bytes on a character boundary.
TEST_F(ModelPackageWriterTest, SharedTextureIsReferencedOnlyWhereItsNameFits) {
    struct Case {
        std::string name;
        bool referenced;
        std::string storedName;
    };
    const std::vector<Case> cases = {
        {"eighteen-bytes.bmp", true, "eighteen-bytes.bmp"},
        {"nineteen-bytes1.bmp", false, "nineteen-bytes1.bmp"},
        {"九個中文字的材質圖.bmp", false, "九個中文字的材質圖.b"},    // 22 bytes, cut at 20
        {"a九個中文字的材質圖呀.bmp", false, "a九個中文字的材質圖"},  // cut at 19
        {"木紋.bmp", true, "木紋.bmp"},
    };
    const Bytes image = {'B', 'M', 4, 4};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PackagedModelContents contents;
        contents.name = "tmp";
        contents.mesh = {'x'};
        contents.textures = {Texture(c.name, image), Texture(c.name, image)};
        std::string file;
        ASSERT_TRUE(EncodeModelPackage(contents, &file, nullptr));
        const std::size_t oneEntry = 20 + 4 + 1 + image.size();
        const std::size_t reference = 20 + 4;
        const std::size_t fixed = 345 + 100 + 5 + 1 + 1 + 4 + 25 + 4;
        EXPECT_EQ(file.size(), fixed + oneEntry + (c.referenced ? reference : oneEntry));

        const std::string path = Write(contents);
        const CModelPackage package(path, kPackageReadAll);
        ASSERT_EQ(package.GetTextures().size(), 2u);
        for (const PackagedTexture& texture : package.GetTextures()) {
            EXPECT_EQ(texture.name, c.storedName);
            EXPECT_EQ(texture.Data(), image);
        }
        EXPECT_NE(CModelObject::FindPackagedTexture(package.GetTextures(), c.name), nullptr);
    }
}

// A reference resolves to the first image of its name and size, so a
// different image of the same name and size is stored again; one equal to
// the first is still referenced.
TEST_F(ModelPackageWriterTest, DifferentImagesOfOneNameAreEachKept) {
    const Bytes first = {'B', 'M', 1, 1};
    const Bytes second = {'B', 'M', 2, 2};
    PackagedModelContents contents;
    contents.name = "tmp";
    contents.mesh = {'x'};
    contents.textures = {Texture("wood.bmp", first), Texture("wood.bmp", second),
                         Texture("wood.bmp", first)};
    std::string file;
    ASSERT_TRUE(EncodeModelPackage(contents, &file, nullptr));
    const std::size_t stored = 20 + 4 + 1 + first.size();
    const std::size_t reference = 20 + 4;
    const std::size_t fixed = 345 + 100 + 5 + 1 + 1 + 4 + 25 + 4;
    EXPECT_EQ(file.size(), fixed + 2 * stored + reference);

    const CModelPackage package(Write(contents), kPackageReadAll);
    ASSERT_EQ(package.GetTextures().size(), 3u);
    EXPECT_EQ(package.GetTextures()[0].Data(), first);
    EXPECT_EQ(package.GetTextures()[1].Data(), second);
    EXPECT_EQ(package.GetTextures()[2].Data(), first);
}

TEST_F(ModelPackageWriterTest, TextWithoutBig5FormIsRefusedAndLeavesTheOldFile) {
    const std::filesystem::path path = m_folder.Write("tmp.qvx", "old package");
    struct Case {
        const char* what;
        PackagedModelContents contents;
    };
    std::vector<Case> cases(3);
    cases[0] = {"texture name", {}};
    cases[0].contents.textures = {Texture("😀.bmp", {'B', 'M'})};
    cases[1] = {"web link", {}};
    cases[1].contents.webLink = "http://😀.invalid";
    cases[2] = {"model name", {}};
    cases[2].contents.name = "😀";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        EXPECT_FALSE(WriteModelPackage(path, c.contents, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadBack(path), "old package");
    }
}

TEST(PackageNameOfPathTest, DropsFolderAndLastFourCharacters) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/home/u/outtemp/tmp.qvx", "tmp"},
        {"Z:\\outtemp\\tmp.qvx", "tmp"},
        {"沙發組.qvx", "沙發組"},
        {"/x/椅子qvx椅", "椅子"},
        {"/x/ab", ""},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(PackageNameOfPath(path), name) << path;
    }
}

}  // namespace
