#pragma once

#include <string>
#include <vector>

#include "platform/draw/DrawContext.h"

namespace draw {

// One drawing call as the recording context saw it.
struct DrawRecord {
    DrawOp op = DrawOp::Line;
    // Logical points as passed: the line's two ends, the polyline's points,
    // a box's two corners then any radial points, a rectangle's two corners,
    // the text's or pixel's reference point, the image's destination corners.
    std::vector<Point> points;
    std::vector<Point> devicePoints;  // the same through the mapping
    std::string text;                 // TextOut
    COLORREF color = 0;               // SetPixel
    Brush brush;                      // FillRect's brush
    Rect source;                      // StretchDIBits: the source rectangle
    Size imageSize;                   // StretchDIBits: width and rows of the block
    DrawState state;                  // pen, brush, font, colours, modes, mapping, clip
};

// Renders nothing and records every drawing call with the state it was made
// in, so that tests of the drawing code can check what was drawn without
// looking at pixels. Text is measured with the real fonts.
class RecordingDrawContext : public DrawContext {
public:
    explicit RecordingDrawContext(Size deviceSize = {1024, 768}, int32_t dpi = 96,
                                  bool printing = false);

    bool IsPrinting() const override { return m_printing; }

    const std::vector<DrawRecord>& Records() const { return m_records; }
    void ClearRecords() { m_records.clear(); }

protected:
    Size DeviceSize() const override { return m_deviceSize; }
    int32_t DeviceDpi() const override { return m_dpi; }
    void RenderFigure(DrawOp op, std::span<const Point> logical,
                      std::span<const Point> device) override;
    void RenderFillRect(const Rect& logical, const Rect& device, const Brush& brush) override;
    void RenderInvertRect(const Rect& logical, const Rect& device) override;
    void RenderPixel(Point logical, Point device, COLORREF color) override;
    void RenderText(Point logical, Point device, std::string_view text) override;
    void RenderImage(const Rect& logical, const Rect& device, const DibPixels& pixels,
                     const Rect& source) override;

private:
    DrawRecord& Add(DrawOp op, std::span<const Point> logical, std::span<const Point> device);

    Size m_deviceSize;
    int32_t m_dpi;
    bool m_printing;
    std::vector<DrawRecord> m_records;
};

}  // namespace draw
