#include "objects/ModelPackage.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/ApplicationValues.h"
#include "platform/text/Cp950.h"
#include "support/ResourceUse.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct TextureSpec {
    std::string name;
    Bytes data;
    bool reference = false;
};

// What a test package holds; MakePackage lays it out as the given version
// stores it.
struct PackageContents {
    int version = 9;
    char mark = 'k';
    std::string name = "Sofa";
    std::string modelNumber = "M-100";
    std::string vendor = "Acme";
    std::string description = "three seats";
    float price = 1250.5f;
    std::string webLink = "http://example.invalid/sofa";
    Bytes preview = {'B', 'M', 1, 2, 3};
    Bytes mesh = {'x', 'o', 'f', ' ', 0, 9};
    std::vector<TextureSpec> textures = {{"wood.bmp", {'B', 'M', 7, 7}},
                                         {"wood.bmp", {'B', 'M', 7, 7}, true}};
    std::string symbolName = "sofa.dxf";
    std::string symbol = "0\nEOF\n";
    std::vector<std::array<float, 9>> edges = {{1, 2, 3, 4, 5, 6, 0, 0, -1}};
};

class Writer {
public:
    void Byte(std::uint8_t b) { bytes.push_back(static_cast<char>(b)); }
    void Int(std::int32_t v) {
        for (int i = 0; i < 4; ++i) {
            Byte(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
        }
    }
    void Float(float f) {
        std::int32_t v;
        std::memcpy(&v, &f, 4);
        Int(v);
    }
    void Raw(const Bytes& b) { bytes.append(b.begin(), b.end()); }
    void Raw(const std::string& b) { bytes += b; }
    // A fixed text field in CP950, zero-padded.
    void Field(const std::string& utf8, std::size_t width) {
        std::string cp950 = text::Utf8ToCp950(utf8).value();
        cp950.resize(width, '\0');
        bytes += cp950;
    }

    std::string bytes;
};

std::string MakePackage(const PackageContents& p) {
    Writer w;
    w.Raw(std::string("Orvi") + p.mark);
    w.Byte(static_cast<std::uint8_t>(p.version));
    w.Int(static_cast<std::int32_t>(p.mesh.size()));
    if (p.version >= 4) {
        w.Field(p.name, 51);
    }
    if (p.version >= 7) {
        w.Field(p.modelNumber, 30);
        w.Field(p.vendor, 50);
        w.Field(p.description, 196);
        w.Float(p.price);
    }
    if (p.version >= 9) {
        w.Int(static_cast<std::int32_t>(p.webLink.size()));
        w.Raw(p.webLink);
        w.Raw(std::string(100, '\0'));
    }
    if (p.version >= 2) {
        w.Byte(0);
        w.Int(static_cast<std::int32_t>(p.preview.size()));
        w.Raw(p.preview);
    }
    w.Byte(0);
    w.Raw(p.mesh);
    w.Int(static_cast<std::int32_t>(p.textures.size()));
    for (const TextureSpec& t : p.textures) {
        w.Field(t.reference ? "@@" + t.name : t.name, 20);
        w.Int(static_cast<std::int32_t>(t.data.size()));
        if (!t.reference) {
            w.Byte(0);
            w.Raw(t.data);
        }
    }
    if (p.version >= 3) {
        w.Field(p.symbolName, 20);
        w.Byte(0);
        w.Int(static_cast<std::int32_t>(p.symbol.size()));
        w.Raw(p.symbol);
    }
    if (p.version >= 5) {
        w.Int(static_cast<std::int32_t>(p.edges.size()));
        for (const auto& e : p.edges) {
            for (float f : e) {
                w.Float(f);
            }
        }
    }
    return w.bytes;
}

class ModelPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousProgramFolder = GetProgramFolder();
        SetProgramFolder(Root() / "program");
    }

    void TearDown() override { SetProgramFolder(m_previousProgramFolder); }

    std::string Write(const std::string& name, const std::string& bytes) {
        return m_folder.Write(name, bytes).string();
    }

    std::string WritePackage(const PackageContents& contents) {
        return Write("model.qvx", MakePackage(contents));
    }

    const std::filesystem::path& Root() const { return m_folder.Path(); }

private:
    TempFolder m_folder;
    std::string m_previousProgramFolder;
};

void ExpectEmpty(const CModelPackage& package) {
    EXPECT_EQ(package.GetVersion(), 0);
    EXPECT_TRUE(package.GetName().empty());
    EXPECT_TRUE(package.GetPreview().empty());
    EXPECT_EQ(package.GetMeshLength(), 0);
    EXPECT_TRUE(package.GetTextures().empty());
    EXPECT_TRUE(package.GetSymbolName().empty());
    EXPECT_EQ(package.GetEdgeCount(), 0);
}

TEST_F(ModelPackageTest, CurrentVersionFileReadsWhole) {
    PackageContents contents;
    contents.name = "沙發";
    const CModelPackage package(WritePackage(contents), kPackageReadAll);

    EXPECT_EQ(package.GetVersion(), 9);
    EXPECT_EQ(package.GetName(), "沙發");
    EXPECT_EQ(package.GetModelNumber(), "M-100");
    EXPECT_EQ(package.GetVendor(), "Acme");
    EXPECT_EQ(package.GetDescription(), "three seats");
    EXPECT_FLOAT_EQ(package.GetPrice(), 1250.5f);
    EXPECT_EQ(package.GetWebLink(), "http://example.invalid/sofa");
    EXPECT_EQ(package.GetPreview(), contents.preview);
    EXPECT_EQ(package.GetMeshData(), contents.mesh);
    EXPECT_EQ(package.GetMeshLength(), 6);
    EXPECT_EQ(package.GetSymbolName(), "sofa.dxf");
    EXPECT_EQ(std::string(package.GetSymbolData().begin(), package.GetSymbolData().end()),
              contents.symbol);

    // The second entry refers to the first: both carry the same image.
    ASSERT_EQ(package.GetTextures().size(), 2u);
    for (const PackagedTexture& texture : package.GetTextures()) {
        EXPECT_EQ(texture.name, "wood.bmp");
        EXPECT_EQ(texture.Data(), contents.textures[0].data);
    }

    ASSERT_EQ(package.GetEdgeCount(), 1);
    const OutlineRecord& edge = package.GetEdgeRecords()[0];
    EXPECT_EQ(edge.pointA.x, 1.0f);
    EXPECT_EQ(edge.pointA.z, 3.0f);
    EXPECT_EQ(edge.pointB.x, 4.0f);
    EXPECT_EQ(edge.pointB.z, 6.0f);
    EXPECT_EQ(edge.facing.z, -1.0f);
}

TEST_F(ModelPackageTest, ModesReadOnlyTheirPart) {
    const std::string path = WritePackage(PackageContents());

    const CModelPackage header(path, kPackageReadHeader);
    EXPECT_EQ(header.GetName(), "Sofa");
    EXPECT_EQ(header.GetWebLink(), "http://example.invalid/sofa");
    EXPECT_FALSE(header.GetPreview().empty());
    EXPECT_EQ(header.GetMeshLength(), 0);
    EXPECT_TRUE(header.GetTextures().empty());
    EXPECT_TRUE(header.GetSymbolName().empty());
    EXPECT_EQ(header.GetEdgeCount(), 0);

    const CModelPackage mesh(path, kPackageReadMesh);
    EXPECT_EQ(mesh.GetName(), "Sofa");
    EXPECT_TRUE(mesh.GetPreview().empty());
    EXPECT_EQ(mesh.GetMeshLength(), 6);
    EXPECT_EQ(mesh.GetTextures().size(), 2u);
    EXPECT_TRUE(mesh.GetSymbolName().empty());
    EXPECT_EQ(mesh.GetSymbolLength(), 0);
    EXPECT_EQ(mesh.GetEdgeCount(), 0);
}

TEST_F(ModelPackageTest, VersionOneFileHasOnlyMeshAndTextures) {
    PackageContents contents;
    contents.version = 1;
    contents.textures = {{"wood.bmp", {'B', 'M', 7}}};
    const CModelPackage package(WritePackage(contents), kPackageReadAll);
    EXPECT_EQ(package.GetVersion(), 1);
    EXPECT_TRUE(package.GetName().empty());
    EXPECT_TRUE(package.GetPreview().empty());
    EXPECT_EQ(package.GetMeshData(), contents.mesh);
    ASSERT_EQ(package.GetTextures().size(), 1u);
    EXPECT_EQ(package.GetTextures()[0].name, "wood.bmp");
    EXPECT_EQ(package.GetTextures()[0].Data(), contents.textures[0].data);
    EXPECT_TRUE(package.GetSymbolName().empty());
    EXPECT_EQ(package.GetEdgeCount(), 0);
}

TEST_F(ModelPackageTest, OldReferenceNameIsAnOrdinaryEntry) {
    PackageContents contents;
    contents.version = 7;
    contents.textures = {{"@@odd.bmp", {1, 2, 3}}};
    const CModelPackage package(WritePackage(contents), kPackageReadAll);
    ASSERT_EQ(package.GetTextures().size(), 1u);
    EXPECT_EQ(package.GetTextures()[0].name, "@@odd.bmp");
    EXPECT_EQ(package.GetTextures()[0].Data(), (Bytes{1, 2, 3}));
    EXPECT_EQ(package.GetSymbolName(), "sofa.dxf");
    EXPECT_EQ(package.GetEdgeCount(), 1);
}

// References came with version 8, the web link only with 9: a version-8
// file shares its images and reads on to the symbol and edges.
TEST_F(ModelPackageTest, VersionsFromEightOnShareTheirTextures) {
    for (const int version : {8, 9}) {
        SCOPED_TRACE(version);
        PackageContents contents;
        contents.version = version;
        const CModelPackage package(WritePackage(contents), kPackageReadAll);
        EXPECT_EQ(package.GetVersion(), version);
        EXPECT_EQ(package.GetVendor(), "Acme");
        EXPECT_EQ(package.GetWebLink(), version >= 9 ? contents.webLink : "");
        ASSERT_EQ(package.GetTextures().size(), 2u);
        EXPECT_EQ(package.GetTextures()[1].name, "wood.bmp");
        EXPECT_EQ(package.GetTextures()[1].Data(), contents.textures[0].data);
        EXPECT_EQ(package.GetSymbolName(), "sofa.dxf");
        EXPECT_EQ(package.GetEdgeCount(), 1);
    }
}

TEST_F(ModelPackageTest, ReferenceToNoEarlierEntryCarriesNoImage) {
    PackageContents contents;
    contents.textures = {{"stone.bmp", {1, 2}, true}, {"wood.bmp", {5}}};
    const CModelPackage package(WritePackage(contents), kPackageReadAll);
    ASSERT_EQ(package.GetTextures().size(), 2u);
    EXPECT_EQ(package.GetTextures()[0].name, "stone.bmp");
    EXPECT_TRUE(package.GetTextures()[0].Data().empty());
    EXPECT_EQ(package.GetTextures()[1].Data(), (Bytes{5}));
}

TEST_F(ModelPackageTest, ScrambledPreviewOfVersionThreeIsDropped) {
    PackageContents contents;
    contents.version = 3;
    EXPECT_TRUE(CModelPackage(WritePackage(contents), kPackageReadHeader).GetPreview().empty());

    // From version 4 on the preview is plain whatever the magic says.
    contents.version = 4;
    contents.mark = 'x';
    EXPECT_EQ(CModelPackage(WritePackage(contents), kPackageReadHeader).GetPreview(),
              contents.preview);
}

TEST_F(ModelPackageTest, ScrambledMeshIsRefusedButItsHeaderStillReads) {
    PackageContents contents;
    contents.mark = 'x';
    const std::string path = WritePackage(contents);

    CModelPackage whole;
    EXPECT_EQ(whole.Load(path, kPackageReadAll), 0);
    ExpectEmpty(whole);

    CModelPackage header;
    EXPECT_EQ(header.Load(path, kPackageReadHeader), 1);
    EXPECT_EQ(header.GetName(), "Sofa");
}

TEST_F(ModelPackageTest, EmptySymbolFallsBackToTheProgramSquare) {
    PackageContents contents;
    contents.symbolName = "";
    contents.symbol = "";
    const std::string path = WritePackage(contents);

    CModelPackage without(path, kPackageReadAll);
    EXPECT_TRUE(without.GetSymbolName().empty());
    EXPECT_EQ(without.GetSymbolLength(), 0);
    EXPECT_EQ(without.GetEdgeCount(), 1);

    Write("program/2DIcon/squrt.dxf", "0\nSECTION\n");
    CModelPackage with(path, kPackageReadAll);
    EXPECT_EQ(with.GetSymbolName(), "squrt.dxf");
    EXPECT_EQ(std::string(with.GetSymbolData().begin(), with.GetSymbolData().end()),
              "0\nSECTION\n");
}

TEST_F(ModelPackageTest, TextureCountBelowOneReadsNoEntries) {
    PackageContents contents;
    contents.textures.clear();
    std::string bytes = MakePackage(contents);
    const CModelPackage none(Write("none.qvx", bytes), kPackageReadAll);
    EXPECT_TRUE(none.GetTextures().empty());
    EXPECT_EQ(none.GetEdgeCount(), 1);

    // The count's offset: after the mesh, whose last bytes are 0, 9.
    const std::size_t countAt = bytes.find(std::string("f \0\x09", 4)) + 4;
    bytes[countAt] = '\xff';
    bytes[countAt + 1] = '\xff';
    bytes[countAt + 2] = '\xff';
    bytes[countAt + 3] = '\xff';
    const CModelPackage negative(Write("negative.qvx", bytes), kPackageReadAll);
    EXPECT_EQ(negative.GetVersion(), 9);
    EXPECT_TRUE(negative.GetTextures().empty());
    EXPECT_EQ(negative.GetEdgeCount(), 1);
}

TEST_F(ModelPackageTest, PathsThatCannotBeReadGiveAnEmptyPackage) {
    const std::string path = WritePackage(PackageContents());
    CModelPackage package(path, kPackageReadAll);
    EXPECT_EQ(package.Load("model.qvx", kPackageReadAll), 0);
    ExpectEmpty(package);
    EXPECT_EQ(package.Load((Root() / "missing.qvx").string(), kPackageReadAll), 0);
    ExpectEmpty(package);
    // Names are matched ignoring case when the exact one does not exist.
    EXPECT_EQ(package.Load((Root() / "MODEL.QVX").string(), kPackageReadAll), 1);
    EXPECT_EQ(package.GetName(), "Sofa");
}

TEST_F(ModelPackageTest, DamagedFilesAreRefusedWhole) {
    struct Case {
        const char* what;
        std::string bytes;
        int mode;
    };
    const std::string good = MakePackage(PackageContents());
    PackageContents longMesh;
    std::string meshPastEnd = MakePackage(longMesh);
    meshPastEnd[6] = '\x7f';  // the mesh length's low byte
    PackageContents edges;
    edges.edges.resize(3);
    std::string edgesCut = MakePackage(edges);
    edgesCut.resize(edgesCut.size() - 36);
    PackageContents textures;
    textures.textures = {{"wood.bmp", Bytes(40, 1)}};
    std::string textureCut = MakePackage(textures);
    textureCut.resize(textureCut.size() - 80);

    const Case cases[] = {
        {"mesh length past the end", meshPastEnd, kPackageReadAll},
        {"edge records cut short", edgesCut, kPackageReadAll},
        {"texture bytes cut short", textureCut, kPackageReadMesh},
        {"header cut short", good.substr(0, 200), kPackageReadHeader},
        {"nothing after the preview", good.substr(0, good.find("xof ") - 1), kPackageReadAll},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CModelPackage package;
        EXPECT_EQ(package.Load(Write("damaged.qvx", c.bytes), c.mode), 0);
        ExpectEmpty(package);
        EXPECT_FALSE(package.GetLastError().empty());
    }
}

TEST_F(ModelPackageTest, ReferenceFindsTheEarliestEntryOfItsNameAndSize) {
    PackageContents contents;
    contents.textures = {
        {"a.bmp", {1, 2}},         {"a.bmp", {3, 4}},         {"a.bmp", {5, 6, 7}},
        {"a.bmp", Bytes(2), true}, {"a.bmp", Bytes(3), true}, {"a.bmp", Bytes(4), true},
        {"b.bmp", Bytes(2), true}, {"a.bmp", {}, true},
    };
    const CModelPackage package(WritePackage(contents), kPackageReadAll);
    const std::vector<PackagedTexture>& textures = package.GetTextures();
    ASSERT_EQ(textures.size(), 8u);
    EXPECT_EQ(textures[3].Data(), (Bytes{1, 2}));
    EXPECT_EQ(textures[3].bytes, textures[0].bytes) << "a reference shares, never copies";
    EXPECT_EQ(textures[4].Data(), (Bytes{5, 6, 7}));
    EXPECT_TRUE(textures[5].Data().empty());
    EXPECT_EQ(textures[6].name, "b.bmp");
    EXPECT_TRUE(textures[6].Data().empty());
    EXPECT_TRUE(textures[7].Data().empty());
}

// The fixture holds one 32 KB image and a thousand 24-byte references to it;
// copied, they took a thousand times the memory of the image.
TEST_F(ModelPackageTest, ReferencesToOneImageCostNoCopies) {
    CModelPackage package;
    int loaded = 0;
    const ResourceUse use = MeasureResourceUse([&] {
        loaded = package.Load(VELMORA_TEST_DATA_DIR "/objects/shared-texture-references.qvx",
                              kPackageReadAll);
    });
    ASSERT_EQ(loaded, 1) << package.GetLastError();
    ASSERT_EQ(package.GetTextures().size(), 1001u);
    EXPECT_EQ(package.GetTextures()[0].Data().size(), 32768u);
    for (const PackagedTexture& texture : package.GetTextures()) {
        EXPECT_EQ(texture.name, "wood.bmp");
        EXPECT_EQ(texture.bytes, package.GetTextures()[0].bytes);
    }
    EXPECT_LT(use.seconds, 5.0);
    EXPECT_LT(use.peakGrowthBytes, std::int64_t{8} << 20);
}

// Each reference used to search every entry before it.
TEST_F(ModelPackageTest, HundredThousandReferencesLoadInLinearTime) {
    PackageContents contents;
    contents.textures = {{"wood.bmp", {'B', 'M', 7, 7}}};
    contents.textures.resize(100'001, {"wood.bmp", {'B', 'M', 7, 7}, true});
    const std::string path = WritePackage(contents);
    const auto fileSize = static_cast<std::int64_t>(std::filesystem::file_size(path));

    CModelPackage package;
    int loaded = 0;
    const ResourceUse use =
        MeasureResourceUse([&] { loaded = package.Load(path, kPackageReadMesh); });
    ASSERT_EQ(loaded, 1) << package.GetLastError();
    ASSERT_EQ(package.GetTextures().size(), 100'001u);
    EXPECT_EQ(package.GetTextures().back().Data(), contents.textures[0].data);
    EXPECT_LT(use.seconds, 5.0);
    EXPECT_LT(use.peakGrowthBytes, 4 * fileSize + (std::int64_t{16} << 20));
}

TEST_F(ModelPackageTest, EntriesFarLargerInMemoryThanInTheFileAreRefused) {
    // Forty thousand one-byte images: each entry's bookkeeping is several
    // times its 26 bytes in the file.
    PackageContents contents;
    contents.textures.clear();
    for (int i = 0; i < 40'000; ++i) {
        contents.textures.push_back({"tile" + std::to_string(i) + ".bmp", {1}});
    }
    CModelPackage package;
    int loaded = 1;
    const ResourceUse use =
        MeasureResourceUse([&] { loaded = package.Load(WritePackage(contents), kPackageReadAll); });
    EXPECT_EQ(loaded, 0);
    ExpectEmpty(package);
    EXPECT_NE(package.GetLastError().find("記憶體"), std::string::npos) << package.GetLastError();
    EXPECT_LT(use.seconds, 5.0);
}

// The web link is decoded leniently; a damaged one can be all bad bytes.
TEST_F(ModelPackageTest, WebLinkOfBadBytesReadsInLinearTime) {
    PackageContents contents;
    contents.webLink = std::string(640'000, '\xFF');
    const std::string path = WritePackage(contents);
    CModelPackage package;
    int loaded = 0;
    const ResourceUse use =
        MeasureResourceUse([&] { loaded = package.Load(path, kPackageReadHeader); });
    ASSERT_EQ(loaded, 1) << package.GetLastError();
    EXPECT_EQ(package.GetWebLink().size(), 640'000u * 3);
    EXPECT_LT(use.seconds, 5.0);
    EXPECT_LT(use.peakGrowthBytes, std::int64_t{64} << 20);
}

}  // namespace
