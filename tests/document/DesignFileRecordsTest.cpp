#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "DesignFileBytes.h"
#include "document/DesignFileHeader.h"
#include "document/DocumentBlock.h"
#include "document/PlanStateBlock.h"

namespace {

template <std::size_t N>
std::string AsString(const std::array<uint8_t, N>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), N};
}

// 背景 and 許 in CP950; 許 ends in the byte of a backslash.
constexpr std::string_view kBackgroundCp950 = "\xAD\x49\xB4\xBA";
constexpr std::string_view kXuCp950 = "\xB3\x5C";

// Every field at its offset, with values that tell the fields apart.
DesignFileBytes HandMadeHeader() {
    DesignFileBytes bytes(200);
    bytes.Float(0, 6.05f)
        .Floats(4, {100.0f, 150.0f, -800.0f})
        .Floats(16, {0.6f, -0.2f, 0.8f})
        .Float(28, 0.75f)
        .Float(32, -0.125f)
        .Float(36, 30.0f)
        .Float(40, 2.5f)
        .Int(44, 1)
        .Int(48, 1)
        .Int(52, 1)
        .Floats(56, {0.0f, 1.0f, 0.0f})
        .Floats(68, {3000.0f, 2500.0f, 50.0f, 0.25f, 0.5f, 0.75f, 1.0f})
        .Byte(96, 10)
        .Byte(97, 20)
        .Byte(98, 30)
        .Float(100, 20000.0f)
        .Int(104, 1)
        .Raw(108, "Z:\\bg\\" + std::string(kXuCp950) + ".jpg")
        .Int(188, 40)
        .Double(192, 1234.0);
    return bytes;
}

DesignFileHeader HeaderOfHandMadeBytes() {
    DesignFileHeader header;
    header.version = 6.05f;
    header.view.eye = {100.0f, 150.0f, -800.0f};
    header.view.direction = {0.6f, -0.2f, 0.8f};
    header.view.heading = 0.75f;
    header.view.pitch = -0.125f;
    header.view.stepLength = 30.0f;
    header.view.turnStep = 2.5f;
    header.view.wireframe = 1;
    header.view.orthoOn = 1;
    header.view.gridShown = 1;
    header.view.up = {0.0f, 1.0f, 0.0f};
    header.view.grid = {3000.0f, 2500.0f, 50.0f, 0.25f, 0.5f, 0.75f, 1.0f};
    header.ambient = {10, 20, 30};
    header.farDistance = 20000.0f;
    header.backgroundColor = 1;
    header.backgroundFile = "/bg/許.jpg";
    header.backgroundRatio = 40;
    header.objectIdCounter = 1234.0;
    return header;
}

DesignFileBytes HandMadePlanStateBlock() {
    DesignFileBytes bytes(132);
    bytes.Raw(0, "Z:\\music\\song.mp3")
        .Int(100, 1)
        .Int(104, 23)
        .Int(108, 1524)
        .Int(112, 1500)
        .Int(116, static_cast<uint32_t>(-12))
        .Int(120, 34)
        .Int(124, 3000)
        .Int(128, 2000);
    return bytes;
}

DesignFileBytes HandMadeDocumentBlock() {
    DesignFileBytes bytes(968);
    bytes.Raw(0, "Z:\\plans\\" + std::string(kBackgroundCp950) + ".dxf")
        .Float(100, 2.5f)
        .Int(104, 7)
        .Int(108, 0xFFFFFFFFu)
        .Raw(112, "Z:\\frames\\A3.dg6")
        .Floats(212, {0.1f, 0.2f, 0.3f, 0.4f})
        .Int(232, 25);
    return bytes;
}

DocumentBlock DocumentBlockOfHandMadeBytes() {
    DocumentBlock block;
    block.baseDrawing = {"/plans/背景.dxf", 2.5f, {7u, 0xFFFFFFFFu}};
    block.titleFrameFile = "/frames/A3.dg6";
    block.shadowColor = {0.1f, 0.2f, 0.3f, 0.4f};
    block.mirrorTolerance = 25;
    return block;
}

}  // namespace

TEST(DesignFileRecords, HeaderLaidOutByHandReadsFieldByFieldAndIsWhatTheWriterMakes) {
    const DesignFileBytes bytes = HandMadeHeader();
    const DesignFileHeader expected = HeaderOfHandMadeBytes();

    const DesignFileHeader read = DecodeDesignFileHeader(bytes.Span<200>());
    EXPECT_EQ(read.version, expected.version);
    EXPECT_EQ(read.view, expected.view);
    EXPECT_EQ(read.ambient, (AmbientBytes{10, 20, 30})) << "bytes 96, 97, 98: red, green, blue";
    EXPECT_EQ(read.farDistance, expected.farDistance);
    EXPECT_EQ(read.backgroundColor, expected.backgroundColor);
    EXPECT_EQ(read.backgroundFile, expected.backgroundFile) << "the trail byte 5C is no separator";
    EXPECT_EQ(read.backgroundRatio, expected.backgroundRatio);
    EXPECT_EQ(read.objectIdCounter, expected.objectIdCounter);

    EXPECT_EQ(AsString(EncodeDesignFileHeader(expected)), bytes.Str());
}

TEST(DesignFileRecords, PlanStateBlockLaidOutByHandReadsAndIsWhatTheWriterMakes) {
    const DesignFileBytes bytes = HandMadePlanStateBlock();
    const PlanStateBlock expected{"/music/song.mp3", 1, 23, 1524, 1500, -12, 34, 3000, 2000};

    EXPECT_EQ(DecodePlanStateBlock(bytes.Span<132>()), expected);
    EXPECT_EQ(AsString(EncodePlanStateBlock(expected)), bytes.Str());
}

TEST(DesignFileRecords, DocumentBlockLaidOutByHandReadsAndIsWhatTheWriterMakes) {
    const DesignFileBytes bytes = HandMadeDocumentBlock();
    const DocumentBlock expected = DocumentBlockOfHandMadeBytes();

    EXPECT_EQ(DecodeDocumentBlock(bytes.Span<968>()), expected);
    EXPECT_EQ(AsString(EncodeDocumentBlock(expected)), bytes.Str());

    DesignFileBytes reserved = HandMadeDocumentBlock();
    reserved.Int(228, 99).Int(600, 5);
    EXPECT_EQ(DecodeDocumentBlock(reserved.Span<968>()), expected)
        << "the reserved int and the zero tail are not read";
}

TEST(DesignFileRecords, RecordsRoundTripFieldByField) {
    DesignFileHeader header = HeaderOfHandMadeBytes();
    header.version = 6.02f;
    header.backgroundFile = "Default";
    header.objectIdCounter = 9.0e15;
    EXPECT_EQ(DecodeDesignFileHeader(EncodeDesignFileHeader(header)), header);

    const PlanStateBlock plan{"", 0, -1, -5, 7, 8, -9, -1, 0};
    EXPECT_EQ(DecodePlanStateBlock(EncodePlanStateBlock(plan)), plan);

    DocumentBlock document;
    document.baseDrawing = {"", 1.0f, {0, 0}};
    document.shadowColor = {0.0f, 0.0f, 0.0f, 0.4f};
    document.mirrorTolerance = -3;
    EXPECT_EQ(DecodeDocumentBlock(EncodeDocumentBlock(document)), document);
}

TEST(DesignFileRecords, NamesTooLongForTheirFieldKeepTheirFileNameCutOnACharacterBoundary) {
    // A folder path far longer than any field.
    std::string folder = "/home/someone";
    for (int i = 0; i < 12; ++i) {
        folder += "/a-rather-long-folder-name";
    }
    std::string longName;  // 60 characters of two bytes each
    for (int i = 0; i < 60; ++i) {
        longName += "背";
    }
    auto repeated = [](std::string_view piece, int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += piece;
        }
        return text;
    };

    using RoundTrip = std::function<std::string(const std::string&)>;
    const struct {
        const char* field;
        std::size_t textBytes;
        RoundTrip roundTrip;
    } fields[] = {
        {"background picture", 79,
         [](const std::string& path) {
             DesignFileHeader header;
             header.backgroundFile = path;
             const auto bytes = EncodeDesignFileHeader(header);
             EXPECT_EQ(bytes[108 + 79], 0) << "the field keeps its terminator";
             EXPECT_EQ(DecodeDesignFileHeader(bytes).backgroundRatio, 0) << "the next field";
             return DecodeDesignFileHeader(bytes).backgroundFile;
         }},
        {"music", 99,
         [](const std::string& path) {
             PlanStateBlock block;
             block.music = path;
             const auto bytes = EncodePlanStateBlock(block);
             EXPECT_EQ(bytes[99], 0);
             EXPECT_EQ(DecodePlanStateBlock(bytes).rulerShow, 0);
             return DecodePlanStateBlock(bytes).music;
         }},
        {"base drawing", 99,
         [](const std::string& path) {
             DocumentBlock block;
             block.baseDrawing.fileName = path;
             const auto bytes = EncodeDocumentBlock(block);
             EXPECT_EQ(bytes[99], 0);
             EXPECT_EQ(DecodeDocumentBlock(bytes).baseDrawing.value, 1.0f);
             return DecodeDocumentBlock(bytes).baseDrawing.fileName;
         }},
        {"title frame", 99,
         [](const std::string& path) {
             DocumentBlock block;
             block.titleFrameFile = path;
             const auto bytes = EncodeDocumentBlock(block);
             EXPECT_EQ(bytes[112 + 99], 0);
             return DecodeDocumentBlock(bytes).titleFrameFile;
         }},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.field);
        EXPECT_EQ(f.roundTrip(folder + "/sky.jpg"), "sky.jpg");
        // Odd capacities leave one byte unused rather than half a character.
        EXPECT_EQ(f.roundTrip(folder + "/" + longName), repeated("背", int(f.textBytes / 2)));
        EXPECT_EQ(f.roundTrip("/short/" + longName.substr(0, 30)),
                  "/short/" + longName.substr(0, 30));
    }
}
