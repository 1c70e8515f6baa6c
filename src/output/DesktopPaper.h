#pragma once

#include "output/ConfiguredPrinterQueries.h"

// The paper the program is configured with while it has no printer of its
// own to ask: the desktop's default paper as GTK gives it (A4 or Letter by
// the locale's LC_PAPER, else by its territory), upright and without an
// unprintable margin. A4 when GTK names no usable size.
PrinterPaperSettings GetDesktopPaperSettings();
