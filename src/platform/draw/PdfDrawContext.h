#pragma once

#include <string>

#include "platform/draw/CairoDrawContext.h"

namespace draw {

// Prints into a PDF file: the pages of printing and of vector export. The
// device is a printer of the given resolution, so drawing code sees device
// pixels and LOGPIXELSX/LOGPIXELSY as on a printer. Paper cannot be read
// back, so raster operations other than R2_COPYPEN paint the colour they
// would give on white paper.
class PdfDrawContext : public CairoDrawContext {
public:
    PdfDrawContext(const std::string& path, double widthPoints, double heightPoints,
                   int32_t dpi = 600);

    bool IsPrinting() const override { return true; }

    // False once anything failed, such as a file that cannot be created.
    bool Ok() const;
    // Ends the current page and starts the next.
    void EndPage();
    // Ends the last page and writes the file out; no drawing after this.
    bool Close();

protected:
    Size DeviceSize() const override { return m_deviceSize; }
    int32_t DeviceDpi() const override { return m_dpi; }
    void RenderInvertRect(const Rect& logical, const Rect& device) override;
    void PaintWithRasterOp(PathPaint paint) override;

private:
    int32_t m_dpi;
    Size m_deviceSize;
};

}  // namespace draw
