#pragma once

#include "foundation/WinTypes.h"

// The printer facts the document keeps for the plan's paper frame; the output
// layer implements it. Sizes and offsets are in tenths of a millimetre.
class IPrinterQueries {
public:
    virtual ~IPrinterQueries() = default;

    // The default printer's paper size; (0, 0) when it cannot be told.
    virtual POINT GetDefaultPaperSize() = 0;
    // The printable area's offset from the paper's corner.
    virtual POINT GetPrinterPhysicalOffset() = 0;
};
