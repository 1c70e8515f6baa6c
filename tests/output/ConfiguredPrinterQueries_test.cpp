#include "output/ConfiguredPrinterQueries.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfiguredPrinterQueriesTest, DefaultIsA4PortraitWithoutMargin) {
    CConfiguredPrinterQueries printer;
    IPrinterQueries& queries = printer;
    EXPECT_EQ(queries.GetDefaultPaperSize().x, 2100);
    EXPECT_EQ(queries.GetDefaultPaperSize().y, 2970);
    EXPECT_EQ(queries.GetPrinterPhysicalOffset().x, 0);
    EXPECT_EQ(queries.GetPrinterPhysicalOffset().y, 0);
}

TEST(ConfiguredPrinterQueriesTest, LandscapeSwapsTheSizeButNotTheOffset) {
    PrinterPaperSettings settings;
    settings.orientation = 2;
    settings.physicalOffset = POINT{42, 51};
    CConfiguredPrinterQueries printer(settings);
    EXPECT_EQ(printer.GetDefaultPaperSize().x, 2970);
    EXPECT_EQ(printer.GetDefaultPaperSize().y, 2100);
    EXPECT_EQ(printer.GetPrinterPhysicalOffset().x, 42);
    EXPECT_EQ(printer.GetPrinterPhysicalOffset().y, 51);
}

TEST(ConfiguredPrinterQueriesTest, NoPaperAnswersZero) {
    PrinterPaperSettings settings;
    settings.paperSize = POINT{0, 0};
    CConfiguredPrinterQueries printer(settings);
    EXPECT_EQ(printer.GetDefaultPaperSize().x, 0);
    EXPECT_EQ(printer.GetDefaultPaperSize().y, 0);
}

}  // namespace
