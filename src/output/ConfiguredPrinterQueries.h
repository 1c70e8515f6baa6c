#pragma once

#include <cstdint>

#include "document/PrinterQueries.h"

// The default printer's paper as the program is configured with it. Sizes
// and offsets are in tenths of a millimetre.
struct PrinterPaperSettings {
    // Width and height of the paper held upright; (0, 0) means no printer.
    POINT paperSize{2100, 2970};
    // 1 portrait, 2 landscape.
    std::int32_t orientation = 1;
    POINT physicalOffset{0, 0};
};

// The printer queries of the document, answered from configured settings
// (A4 portrait, no unprintable margin unless told otherwise). No printer is
// asked: pages are printed through the PDF back end, and the GTK printer
// cannot be queried without a display.
class CConfiguredPrinterQueries : public IPrinterQueries {
public:
    explicit CConfiguredPrinterQueries(const PrinterPaperSettings& settings = {});

    // Width and height swapped for landscape.
    POINT GetDefaultPaperSize() override;
    POINT GetPrinterPhysicalOffset() override;

private:
    PrinterPaperSettings m_settings;
};
