#include "shell/ProgramLanguage.h"

#include <gtest/gtest.h>
#include <libintl.h>
#include <wx/stockitem.h>
#include <wx/translation.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "support/ScopedEnvironment.h"

// A user locale that writes numbers with a comma: the toolkit's own buttons
// come out in Traditional Chinese, numbers keep their '.'.
TEST(ProgramLanguage, ToolkitTextsAreChineseAndNumbersKeepTheirPoint) {
    for (const char* userLocale : {"C.UTF-8", "de_DE.UTF-8"}) {
        SCOPED_TRACE(userLocale);
        ScopedEnvironment locale("LC_ALL", userLocale);
        SetProgramLocale();
        UseChineseToolkitTexts();

        // GTK's own stock labels, as its file chooser and dialogs show them.
        EXPECT_EQ(std::string(dgettext("gtk30", "_Cancel")), "取消(_C)");
        EXPECT_EQ(std::string(dgettext("gtk30", "_Open")), "開啟(_O)");
        // wxWidgets' stock buttons (OK, Cancel, Yes, No of its message boxes).
        for (const auto& [id, chinese] : {std::pair{wxID_CANCEL, "取消"}, std::pair{wxID_YES, "是"},
                                          std::pair{wxID_NO, "否"}}) {
            const std::string label = wxGetStockLabel(id, wxSTOCK_NOFLAGS).utf8_string();
            EXPECT_NE(label.find(chinese), std::string::npos) << label;
        }

        char number[16];
        std::snprintf(number, sizeof number, "%.2f", 2.5);
        EXPECT_STREQ(number, "2.50");
        EXPECT_EQ(wxString::Format("%.1f", 0.5), "0.5");
        EXPECT_EQ(std::atof("1.25"), 1.25);
    }
    wxTranslations::Set(nullptr);
    std::setlocale(LC_ALL, "C");
}
