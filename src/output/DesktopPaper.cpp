#include "output/DesktopPaper.h"

#include <gtk/gtk.h>

#include <cmath>
#include <cstdint>
#include <memory>

PrinterPaperSettings GetDesktopPaperSettings() {
    PrinterPaperSettings settings;
    // No name asks for the default paper; no display is needed for it.
    const std::unique_ptr<GtkPaperSize, decltype(&gtk_paper_size_free)> paper(
        gtk_paper_size_new(nullptr), gtk_paper_size_free);
    const double width = gtk_paper_size_get_width(paper.get(), GTK_UNIT_MM);
    const double height = gtk_paper_size_get_height(paper.get(), GTK_UNIT_MM);
    if (width > 0.0 && height > 0.0) {
        settings.paperSize = POINT{static_cast<int32_t>(std::lround(width * 10.0)),
                                   static_cast<int32_t>(std::lround(height * 10.0))};
    }
    return settings;
}
