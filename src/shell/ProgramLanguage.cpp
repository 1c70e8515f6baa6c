#include "shell/ProgramLanguage.h"

#include <gtk/gtk.h>
#include <wx/translation.h>

#include <clocale>
#include <cstdlib>

namespace {

constexpr char kMessageLocale[] = "zh_TW.UTF-8";
constexpr char kLanguage[] = "zh_TW";

}  // namespace

void SetProgramLocale() {
    std::setlocale(LC_ALL, "");
    if (std::setlocale(LC_MESSAGES, kMessageLocale) == nullptr) {
        // Without the generated locale, the catalogues are still found
        // through LANGUAGE under any locale but the plain C one.
        setenv("LANGUAGE", kLanguage, 1);
    }
    std::setlocale(LC_NUMERIC, "C");
}

void KeepLocaleThroughToolkitStart() {
    gtk_disable_setlocale();
}

void UseChineseToolkitTexts() {
    auto* translations = new wxTranslations;
    translations->SetLanguage(kLanguage);
    translations->AddStdCatalog();
    wxTranslations::Set(translations);
}
