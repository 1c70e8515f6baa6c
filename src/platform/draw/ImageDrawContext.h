#pragma once

#include <cairo.h>

#include "platform/draw/CairoDrawContext.h"

namespace draw {

enum class ImageFormat {
    Rgb24,   // opaque: the plan's back buffer
    Argb32,  // premultiplied alpha; raster operations act on opaque pixels
};

// Draws into a cairo image surface: the back buffer that the plan window
// shows, or a bitmap for export. Raster operations other than R2_COPYPEN
// work bit for bit on the pixels, so an XOR figure drawn twice leaves them
// exactly as they were. A new image is all zero (black).
class ImageDrawContext : public CairoDrawContext {
public:
    ImageDrawContext(int32_t width, int32_t height, ImageFormat format = ImageFormat::Rgb24);

    bool IsPrinting() const override { return false; }

    // 0 x 0 when the surface could not be made.
    int32_t Width() const;
    int32_t Height() const;
    // The surface, with all drawing flushed to it.
    cairo_surface_t* Surface() const;
    // Rows of 32-bit pixels 0xAARRGGBB in native byte order.
    const uint8_t* Data() const;
    int32_t Stride() const;
    // CLR_INVALID outside the image.
    COLORREF GetPixel(int32_t x, int32_t y) const;

protected:
    Size DeviceSize() const override { return {Width(), Height()}; }
    int32_t DeviceDpi() const override { return 96; }
    void RenderInvertRect(const Rect& logical, const Rect& device) override;
    void PaintWithRasterOp(PathPaint paint) override;

private:
    // The device rectangle limited to the image and the clip.
    Rect Visible(Rect device) const;
};

}  // namespace draw
