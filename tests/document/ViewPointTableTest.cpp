#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "DesignFileBytes.h"
#include "document/ViewPointTable.h"

namespace {

using Points = std::vector<std::shared_ptr<ViewPointRecord>>;

std::shared_ptr<ViewPointRecord> Point(std::string name, float x) {
    return std::make_shared<ViewPointRecord>(
        ViewPointRecord{std::move(name), x, 150.0f, -x, 0.5f, -0.25f});
}

ViewPointTable TableOf(const DesignFileBytes& bytes) {
    ViewPointTable table{};
    const auto span = bytes.Span<1000>();
    std::copy(span.begin(), span.end(), table.begin());
    return table;
}

std::vector<std::string> NamesOf(const Points& points) {
    std::vector<std::string> names;
    for (const auto& point : points) {
        names.push_back(point->name);
    }
    return names;
}

}  // namespace

TEST(ViewPointTable, PointsComeBackAsTheyWerePacked) {
    Points points = {Point("定位點_0", 100.0f), Point("Kitchen", -20.5f), Point("許家窗邊", 3.0f)};
    const Points read = UnpackViewPoints(PackViewPoints(points));
    ASSERT_EQ(read.size(), points.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(*read[i], *points[i]);
    }
}

TEST(ViewPointTable, TableLaidOutByHandReadsUpToTheFirstEmptyName) {
    DesignFileBytes bytes(1000);
    // A name of exactly 20 bytes has no terminator: the reader stops at 20.
    bytes.Raw(0, "ABCDEFGHIJKLMNOPQRST").Floats(20, {1.0f, 2.0f, 3.0f, 0.5f, -0.5f});
    bytes.Raw(40, "\xB3\x5C").Floats(60, {4.0f, 5.0f, 6.0f, 1.5f, 0.25f});
    // Slot 2 is empty, so slot 3 is never reached.
    bytes.Raw(120, "lost").Floats(140, {7.0f, 8.0f, 9.0f, 0.0f, 0.0f});

    const Points read = UnpackViewPoints(TableOf(bytes));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(*read[0], (ViewPointRecord{"ABCDEFGHIJKLMNOPQRST", 1, 2, 3, 0.5f, -0.5f}));
    EXPECT_EQ(*read[1], (ViewPointRecord{"許", 4, 5, 6, 1.5f, 0.25f}));
}

TEST(ViewPointTable, NamesAreCutTo20BytesOnACharacterBoundary) {
    const struct {
        std::string name;
        std::string stored;
    } cases[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"},
        // 21 bytes: the tenth two-byte character does not fit whole.
        {"A背背背背背背背背背背", "A背背背背背背背背背"},
        {"背背背背背背背背背背背", "背背背背背背背背背背"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Points points = {Point(c.name, 1.0f)};
        const ViewPointTable table = PackViewPoints(points);
        EXPECT_EQ(points[0]->name, c.stored) << "the point keeps the name the design keeps";
        const Points read = UnpackViewPoints(table);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0]->name, c.stored);
        EXPECT_EQ(read[0]->x, 1.0f) << "the name did not run into the numbers";
    }
}

TEST(ViewPointTable, OnlyTheFirst25PointsAreKept) {
    Points points;
    for (int i = 0; i < 30; ++i) {
        points.push_back(Point("定位點_" + std::to_string(i), float(i)));
    }
    const Points read = UnpackViewPoints(PackViewPoints(points));
    ASSERT_EQ(read.size(), 25u);
    EXPECT_EQ(read.back()->name, "定位點_24");
}

TEST(ViewPointTable, PointsThatWouldEndTheListEarlyAreLeftOut) {
    Points points = {Point("first", 1.0f), nullptr, Point("", 2.0f),
                     Point("\xF0\x9F\x98\x80", 3.0f), Point("last", 4.0f)};
    const Points read = UnpackViewPoints(PackViewPoints(points));
    EXPECT_EQ(NamesOf(read), (std::vector<std::string>{"first", "last"}));
}

TEST(ViewPointTable, SlotsWithNumbersThatAreNoneArePassedOver) {
    DesignFileBytes bytes(1000);
    bytes.Raw(0, "bad").Floats(20, {std::numeric_limits<float>::quiet_NaN(), 0, 0, 0, 0});
    bytes.Raw(40, "far").Floats(60, {0, 0, 0, std::numeric_limits<float>::infinity(), 0});
    bytes.Raw(80, "good").Floats(100, {1, 2, 3, 0, 0});
    EXPECT_EQ(NamesOf(UnpackViewPoints(TableOf(bytes))), (std::vector<std::string>{"good"}));
}
