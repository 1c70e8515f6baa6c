#include "objects/DxfSymbol.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "objects/DxfLineSegment.h"
#include "platform/draw/RecordingDrawContext.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The group lines of a symbol file: a header with extents, sections to skip,
// and every entity kind the symbols hold, of which only POINT and LINE count.
const std::vector<std::string> kSymbolLines = {
    "  0", "SECTION",
    "  2", "HEADER",
    "  9", "$ACADVER",
    "  1", "AC1009",
    "  9", "$EXTMIN",
    " 10", "-10.5",
    " 20", "-20.0",
    " 30", "0.0",
    "  9", "$EXTMAX",
    " 10", "10.5",
    " 20", "20.0",
    " 30", "0.0",
    "  0", "ENDSEC",
    "  0", "SECTION",
    "  2", "TABLES",
    "  0", "TABLE",
    "  2", "LAYER",
    " 70", "1",
    "  0", "ENDTAB",
    "  0", "ENDSEC",
    "  0", "SECTION",
    "  2", "BLOCKS",
    "  0", "BLOCK",
    "  8", "0",
    "  2", "B1",
    "  0", "LINE",
    "  8", "0",
    " 10", "1",
    " 20", "1",
    " 11", "2",
    " 21", "2",
    "  0", "ENDBLK",
    "  0", "ENDSEC",
    "  0", "SECTION",
    "  2", "entities",
    "  0", "LINE",
    "  8", "0",
    " 10", "-10.5",
    " 20", "-20",
    " 11", "10.5",
    " 21", "20",
    "  0", "ARC",
    "  8", "0",
    " 10", "0",
    " 20", "0",
    " 40", "5",
    " 50", "0",
    " 51", "90",
    "  0", "CIRCLE",
    "  8", "0",
    " 10", "1",
    " 20", "1",
    " 40", "3",
    "  0", "POLYLINE",
    "  8", "0",
    " 66", "1",
    "  0", "VERTEX",
    "  8", "0",
    " 10", "0",
    " 20", "0",
    "  0", "VERTEX",
    "  8", "0",
    " 10", "5",
    " 20", "5",
    "  0", "SEQEND",
    "  0", "TEXT",
    "  8", "0",
    " 10", "0",
    " 20", "0",
    " 40", "2",
    "  1", "\xB4\xFA\xB8\xD5 A",
    "  0", "INSERT",
    "  8", "0",
    "  2", "B1",
    " 10", "3",
    " 20", "3",
    "  0", "point",
    "  8", "0",
    " 20", "7.25",
    " 10", "-3.5",
    "  0", "Line",
    "  8", "0",
    " 10", "0",
    " 20", "-20",
    " 11", "0",
    " 21", "20",
    " 62", "1",
    "  0", "ENDSEC",
    "  0", "EOF",
};

Bytes Join(const std::vector<std::string>& lines, const std::string& end) {
    Bytes bytes;
    for (const std::string& line : lines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.insert(bytes.end(), end.begin(), end.end());
    }
    return bytes;
}

void ExpectSampleSymbol(const CDxfSymbol& symbol) {
    EXPECT_EQ(symbol.GetExtentsMin(), CVector2D(-10.5, -20.0));
    EXPECT_EQ(symbol.GetExtentsMax(), CVector2D(10.5, 20.0));
    EXPECT_EQ(symbol.GetWidth(), 21.0);
    EXPECT_EQ(symbol.GetHeight(), 40.0);
    ASSERT_EQ(symbol.GetPoints().size(), 1u);
    EXPECT_EQ(symbol.GetPoints()[0], CVector2D(-3.5, 7.25));
    ASSERT_EQ(symbol.GetLines().size(), 2u);
    EXPECT_EQ(symbol.GetLines()[0].start, CVector2D(-10.5, -20.0));
    EXPECT_EQ(symbol.GetLines()[0].end, CVector2D(10.5, 20.0));
    EXPECT_EQ(symbol.GetLines()[1].start, CVector2D(0.0, -20.0));
    EXPECT_EQ(symbol.GetLines()[1].end, CVector2D(0.0, 20.0));
}

class DxfSymbolFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::filesystem::path path = m_folder.Path() / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    TempFolder m_folder;
};

TEST_F(DxfSymbolFileTest, ReadsTheSameSymbolWhateverTheLineEnds) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        const Bytes bytes = Join(kSymbolLines, end);
        CDxfSymbol fromFile;
        EXPECT_EQ(fromFile.LoadFile(Write("symbol.dxf", bytes)), S_OK);
        ExpectSampleSymbol(fromFile);
        CDxfSymbol fromMemory;
        EXPECT_EQ(fromMemory.LoadFromMemory(bytes), S_OK);
        ExpectSampleSymbol(fromMemory);
    }
}

// A symbol of more than two 32 KB reader buffers, padded so that a group
// code straddles the first refill and a coordinate the second: a byte lost
// or repeated at a refill changes an entity.
struct LargeSymbol {
    Bytes bytes;
    std::vector<CDxfSymbol::Line> lines;
};

LargeSymbol MakeLargeSymbol() {
    constexpr std::size_t kCodeAcross = 32768;
    constexpr std::size_t kValueAcross = 65536;
    LargeSymbol symbol;
    const auto add = [&symbol](const std::string& line) {
        symbol.bytes.insert(symbol.bytes.end(), line.begin(), line.end());
        symbol.bytes.insert(symbol.bytes.end(), {'\r', '\n'});
    };
    // Pads with a comment group so that the next line starts at `at`.
    const auto padTo = [&](std::size_t at) {
        add("999");
        add(std::string(at - symbol.bytes.size() - 2, 'p'));
    };
    for (const char* line : {"  0", "SECTION", "  2", "ENTITIES"}) {
        add(line);
    }
    bool codePadded = false;
    bool valuePadded = false;
    for (int i = 0; symbol.bytes.size() < 70000; ++i) {
        // Binary fractions, so the text reads back exactly.
        const CDxfSymbol::Line line = {{i + 0.25, -(7 * i + 0.75)}, {3 * i + 0.5, 11 * i + 0.125}};
        add("  0");
        add("LINE");
        if (!codePadded && symbol.bytes.size() + 300 > kCodeAcross) {
            padTo(kCodeAcross - 2);
            codePadded = true;
        } else if (!valuePadded && symbol.bytes.size() + 300 > kValueAcross) {
            padTo(kValueAcross - 3 - 5);
            valuePadded = true;
        }
        const std::pair<const char*, double> groups[] = {
            {" 10", line.start.x}, {" 20", line.start.y}, {" 11", line.end.x}, {" 21", line.end.y}};
        for (const auto& [code, value] : groups) {
            add(code);
            char text[32];
            const auto written = std::to_chars(std::begin(text), std::end(text), value);
            add(std::string(text, written.ptr));
        }
        symbol.lines.push_back(line);
    }
    for (const char* line : {"  0", "ENDSEC", "  0", "EOF"}) {
        add(line);
    }
    return symbol;
}

TEST_F(DxfSymbolFileTest, EntitiesAcrossTheReadBufferBoundariesComeThroughExactly) {
    const LargeSymbol large = MakeLargeSymbol();
    const auto textAt = [&large](std::size_t at, std::size_t length) {
        return std::string(large.bytes.begin() + static_cast<std::ptrdiff_t>(at),
                           large.bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
    };
    ASSERT_EQ(textAt(32766, 5), " 10\r\n");
    ASSERT_EQ(textAt(65528, 5), " 10\r\n");
    ASSERT_EQ(textAt(65533, 5).find_first_of("\r\n"), std::string::npos);

    CDxfSymbol fromFile;
    ASSERT_EQ(fromFile.LoadFile(Write("large.dxf", large.bytes)), S_OK);
    CDxfSymbol fromMemory;
    ASSERT_EQ(fromMemory.LoadFromMemory(large.bytes), S_OK);
    for (const CDxfSymbol* symbol : {&fromFile, &fromMemory}) {
        ASSERT_EQ(symbol->GetLines().size(), large.lines.size());
        for (std::size_t i = 0; i < large.lines.size(); ++i) {
            EXPECT_EQ(symbol->GetLines()[i].start, large.lines[i].start) << i;
            EXPECT_EQ(symbol->GetLines()[i].end, large.lines[i].end) << i;
        }
    }
}

TEST_F(DxfSymbolFileTest, MemoryLoadLeavesTheWorkingFolderAlone) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.Path());
    const std::string userFile = Write("tmpIcon", {'m', 'i', 'n', 'e'});
    CDxfSymbol symbol;
    const HRESULT result = symbol.LoadFromMemory(Join(kSymbolLines, "\r\n"));
    std::filesystem::current_path(previous);

    EXPECT_EQ(result, S_OK);
    ExpectSampleSymbol(symbol);
    std::ifstream in(userFile, std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "mine");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(DxfSymbolFileTest, UnreadableFileFailsWithNoEntities) {
    CDxfSymbol symbol;
    ASSERT_EQ(symbol.LoadFromMemory(Join(kSymbolLines, "\r\n")), S_OK);
    EXPECT_EQ(symbol.LoadFile((m_folder.Path() / "missing.dxf").string()), E_FAIL);
    EXPECT_TRUE(symbol.GetPoints().empty());
    EXPECT_TRUE(symbol.GetLines().empty());
}

TEST(DxfSymbolTest, CoordinatesIgnoreACommaDecimalLocale) {
    locale_t german = newlocale(LC_ALL_MASK, "de_DE.utf8", nullptr);
    if (german == nullptr) {
        GTEST_SKIP() << "no de_DE.utf8 locale";
    }
    locale_t previous = uselocale(german);
    CDxfSymbol symbol;
    symbol.LoadFromMemory(Join(kSymbolLines, "\r\n"));
    uselocale(previous);
    freelocale(german);
    ExpectSampleSymbol(symbol);
}

TEST(DxfSymbolTest, BadHeadersStopBeforeTheEntities) {
    struct Case {
        const char* name;
        std::vector<std::string> header;
    };
    const Case cases[] = {
        {"inverted extents",
         {"9", "$EXTMIN", "10", "5", "20", "5", "9", "$EXTMAX", "10", "1", "20", "9"}},
        {"flat extents",
         {"9", "$EXTMIN", "10", "0", "20", "5", "9", "$EXTMAX", "10", "9", "20", "5"}},
        {"zero-width extents",
         {"9", "$EXTMIN", "10", "4", "20", "0", "9", "$EXTMAX", "10", "4", "20", "9"}},
        {"y before x",
         {"9", "$EXTMIN", "20", "0", "10", "0", "9", "$EXTMAX", "10", "9", "20", "9"}},
        {"no extents", {"9", "$ACADVER", "1", "AC1009"}},
        {"header ends in a section", {"9", "$EXTMAX", "10", "9", "20", "9", "0", "SECTION"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = {"0", "SECTION", "2", "HEADER"};
        lines.insert(lines.end(), c.header.begin(), c.header.end());
        for (const char* line : {"0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0", "POINT", "10",
                                 "1", "20", "1", "0", "ENDSEC", "0", "EOF"}) {
            lines.push_back(line);
        }
        CDxfSymbol symbol;
        EXPECT_EQ(symbol.LoadFromMemory(Join(lines, "\r\n")), S_OK) << c.name;
        EXPECT_TRUE(symbol.GetPoints().empty()) << c.name;
    }
}

TEST(DxfSymbolTest, ExtentsSurviveALoadWithoutHeader) {
    CDxfSymbol symbol;
    symbol.LoadFromMemory(Join(kSymbolLines, "\r\n"));
    const std::vector<std::string> bare = {"0",     "SECTION", "2", "ENTITIES", "0",
                                           "POINT", "10",      "1", "20",       "2",
                                           "0",     "ENDSEC",  "0", "EOF"};
    EXPECT_EQ(symbol.LoadFromMemory(Join(bare, "\n")), S_OK);
    EXPECT_EQ(symbol.GetExtentsMin(), CVector2D(-10.5, -20.0));
    EXPECT_EQ(symbol.GetExtentsMax(), CVector2D(10.5, 20.0));
    ASSERT_EQ(symbol.GetPoints().size(), 1u);
    EXPECT_EQ(symbol.GetPoints()[0], CVector2D(1.0, 2.0));
    EXPECT_TRUE(symbol.GetLines().empty());
}

TEST(DxfSymbolTest, EntitiesReadBeforeAnUnfinishedOneAreKept) {
    std::vector<std::string> lines = {"0",  "SECTION", "2",  "ENTITIES", "0",  "LINE",
                                      "10", "1",       "20", "2",        "11", "3",
                                      "21", "4",       "0",  "POINT",    "10", "5"};
    CDxfSymbol symbol;
    EXPECT_EQ(symbol.LoadFromMemory(Join(lines, "\r\n")), S_OK);
    EXPECT_EQ(symbol.GetLines().size(), 1u);
    EXPECT_TRUE(symbol.GetPoints().empty());
}

// Every prefix, then random damage: the reader must stay inside its input,
// whatever it makes of it.
TEST(DxfSymbolTest, TruncatedAndDamagedFilesNeverCrash) {
    const Bytes valid = Join(kSymbolLines, "\r\n");
    for (std::size_t n = 0; n <= valid.size(); ++n) {
        CDxfSymbol symbol;
        ASSERT_EQ(symbol.LoadFromMemory(std::span(valid.data(), n)), S_OK);
        EXPECT_LE(symbol.GetPoints().size(), 1u);
        EXPECT_LE(symbol.GetLines().size(), 2u);
    }

    std::mt19937 random(20240611);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int round = 0; round < 20000 && std::chrono::steady_clock::now() < deadline; ++round) {
        Bytes bytes = valid;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 4) {
                case 0:
                    bytes[at] = static_cast<uint8_t>(random());
                    break;
                case 1:
                    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                 static_cast<uint8_t>(random()));
                    break;
                case 2:
                    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
                    break;
                default:
                    bytes.resize(at);
                    break;
            }
        }
        CDxfSymbol symbol;
        ASSERT_EQ(symbol.LoadFromMemory(bytes), S_OK);
        for (const CVector2D& p : symbol.GetPoints()) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
    }
}

TEST(DxfSymbolTest, OverlongLinesAndHugeNumbersAreHarmless) {
    std::vector<std::string> lines = {"0",  "SECTION", "2",  "ENTITIES", "0", "POINT",
                                      "10", "1e999",   "20", "nan",      "0", "ENDSEC"};
    lines.insert(lines.begin() + 6, {"999", std::string(100000, '7')});
    CDxfSymbol symbol;
    EXPECT_EQ(symbol.LoadFromMemory(Join(lines, "\n")), S_OK);
    ASSERT_EQ(symbol.GetPoints().size(), 1u);
    EXPECT_EQ(symbol.GetPoints()[0], CVector2D(0.0, 0.0));
}

CDxfSymbol SampleSymbol() {
    CDxfSymbol symbol;
    symbol.LoadFromMemory(Join(kSymbolLines, "\r\n"));
    return symbol;
}

TEST(DxfSymbolTest, TransformScalesTurnsAndPlacesAroundTheCentre) {
    CDxfSymbol symbol = SampleSymbol();
    // Fitted to 42 x 80, flipped to drawing coordinates and turned by 90.
    symbol.Transform({2.0, -2.0}, 90.0, {100.0, 200.0});
    EXPECT_EQ(symbol.GetPoints()[0], CVector2D(114.5, 193.0));
    EXPECT_EQ(symbol.GetLines()[1].start, CVector2D(60.0, 200.0));
    EXPECT_EQ(symbol.GetLines()[1].end, CVector2D(140.0, 200.0));
    // The extents keep the file's values.
    EXPECT_EQ(symbol.GetCenter(), CVector2D(0.0, 0.0));

    symbol.Translate({-100.0, -200.0});
    EXPECT_EQ(symbol.GetPoints()[0], CVector2D(14.5, -7.0));
}

TEST(DxfSymbolTest, MirrorTwiceRestoresTheSymbol) {
    CDxfSymbol symbol = SampleSymbol();
    symbol.Mirror(1);
    EXPECT_EQ(symbol.GetPoints()[0], CVector2D(3.5, 7.25));
    symbol.Mirror(1);
    ExpectSampleSymbol(symbol);
    symbol.Mirror(2);
    EXPECT_EQ(symbol.GetPoints()[0], CVector2D(-3.5, -7.25));
    symbol.Mirror(2);
    symbol.Mirror(3);
    ExpectSampleSymbol(symbol);
}

TEST(DxfSymbolTest, DrawsPixelsAndLinesMinusTheOrigin) {
    CDxfSymbol symbol = SampleSymbol();
    symbol.Transform({2.0, -2.0}, 90.0, {100.0, 200.0});
    draw::RecordingDrawContext dc;
    dc.SetROP2(draw::R2_XORPEN);
    const draw::Pen pen = dc.GetCurrentPen();
    const draw::COLORREF blue = draw::Rgb(0, 0, 255);
    EXPECT_EQ(symbol.Draw(dc, blue, 100, 200), 0);

    const auto& records = dc.Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].op, draw::DrawOp::SetPixel);
    EXPECT_EQ(records[0].points[0], (draw::Point{15, -7}));
    EXPECT_EQ(records[0].color, blue);
    for (int i : {1, 2}) {
        EXPECT_EQ(records[i].op, draw::DrawOp::Line);
        EXPECT_EQ(records[i].state.pen.color, blue);
        EXPECT_EQ(records[i].state.pen.width, 0);
        EXPECT_EQ(records[i].state.rop2, draw::R2_XORPEN);
    }
    EXPECT_EQ(records[2].points, (std::vector<draw::Point>{{-40, 0}, {40, 0}}));
    EXPECT_EQ(dc.GetCurrentPen(), pen);
}

TEST(DxfSymbolTest, HitTestsFindPointsAndLines) {
    CDxfSymbol symbol = SampleSymbol();
    symbol.Transform({2.0, -2.0}, 90.0, {100.0, 200.0});
    struct Case {
        CVector2D point;
        int tolerance;
        int hit;
    };
    const Case points[] = {
        {{117.5, 196.0}, 0, 1},                          // the point entity's box grown by 3
        {{118.0, 193.0}, 0, 0}, {{100.0, 198.0}, 2, 1},  // near the horizontal line
        {{100.0, 198.0}, 1, 0}, {{0.0, 0.0}, 5, 0},
    };
    for (const Case& c : points) {
        EXPECT_EQ(symbol.HitTestPoint(c.point, c.tolerance), c.hit)
            << c.point.x << "," << c.point.y;
    }
    EXPECT_EQ(symbol.HitTestRect(CRect2D(110, 190, 116, 194)), 1);  // the point
    EXPECT_EQ(symbol.HitTestRect(CRect2D(90, 195, 95, 205)), 1);    // crosses a line
    EXPECT_EQ(symbol.HitTestRect(CRect2D(0, 0, 10, 10)), 0);

    CDxfSymbol empty;
    EXPECT_EQ(empty.HitTestPoint({0.0, 0.0}, 100), 0);
    EXPECT_EQ(empty.HitTestRect(CRect2D(-100, -100, 100, 100)), 0);
}

TEST(DxfLineSegmentTest, ALineAndItsReverseShareADirection) {
    const float halfPi = 1.5707964f;
    struct Case {
        CVector2F start, end;
        double direction;
    };
    const Case cases[] = {
        {{0, 0}, {1, 0}, 0.0},
        {{1, 0}, {0, 0}, 0.0},
        {{0, 0}, {0, 1}, halfPi},
        {{0, 1}, {0, 0}, halfPi},
    };
    for (const Case& c : cases) {
        DxfLineSegment segment(c.start, c.end);
        EXPECT_FLOAT_EQ(static_cast<float>(segment.direction), static_cast<float>(c.direction));
        EXPECT_GE(segment.direction, 0.0);
        EXPECT_TRUE(segment.pieces.empty());
    }
    EXPECT_EQ(DxfLineSegment({1, 0}, {0, 0}).direction, 0.0);
}

}  // namespace
