#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/draw/PdfDrawContext.h"
#include "support/TempFolder.h"

namespace draw {
namespace {

namespace fs = std::filesystem;

std::string PdfText(const fs::path& pdf) {
    const std::string command = "/usr/bin/pdftotext -enc UTF-8 '" + pdf.string() + "' -";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            text.append(buffer, n);
        }
        pclose(pipe);
    }
    return text;
}

class PdfDrawContextTest : public ::testing::Test {
protected:
    TempFolder m_folder;
};

TEST_F(PdfDrawContextTest, PrintedPagesKeepChineseAndLatinText) {
    const fs::path file = m_folder.Path() / "plan.pdf";
    PdfDrawContext dc(file.string(), 595, 842);  // A4 at 600 dpi
    ASSERT_TRUE(dc.Ok());
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 4958);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 7017);

    Font font;
    font.faceName = "Courier New";
    font.height = -100;
    dc.SelectFont(font);
    dc.TextOut(300, 300, "室內設計");
    dc.SelectPen(Pen::Create(PS_SOLID, 10, Rgb(0, 0, 255)));
    dc.MoveTo(300, 500);
    dc.LineTo(4000, 500);
    dc.EndPage();
    dc.TextOut(300, 300, "第 2 頁 Plan 1:50");
    ASSERT_TRUE(dc.Close());

    const std::string text = PdfText(file);
    EXPECT_NE(text.find("室內設計"), std::string::npos) << text;
    EXPECT_NE(text.find("第 2 頁 Plan 1:50"), std::string::npos) << text;
    EXPECT_NE(text.find('\f'), std::string::npos) << "two pages";
}

TEST_F(PdfDrawContextTest, UnwritablePathReportsFailure) {
    PdfDrawContext dc((m_folder.Path() / "missing" / "plan.pdf").string(), 595, 842);
    EXPECT_FALSE(dc.Ok());
    dc.TextOut(0, 0, "x");
    EXPECT_FALSE(dc.Close());
}

}  // namespace
}  // namespace draw
