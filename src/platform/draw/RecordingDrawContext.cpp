#include "platform/draw/RecordingDrawContext.h"

namespace draw {

RecordingDrawContext::RecordingDrawContext(Size deviceSize, int32_t dpi, bool printing)
    : m_deviceSize(deviceSize), m_dpi(dpi), m_printing(printing) {}

DrawRecord& RecordingDrawContext::Add(DrawOp op, std::span<const Point> logical,
                                      std::span<const Point> device) {
    DrawRecord& record = m_records.emplace_back();
    record.op = op;
    record.points.assign(logical.begin(), logical.end());
    record.devicePoints.assign(device.begin(), device.end());
    record.state = GetState();
    return record;
}

void RecordingDrawContext::RenderFigure(DrawOp op, std::span<const Point> logical,
                                        std::span<const Point> device) {
    Add(op, logical, device);
}

void RecordingDrawContext::RenderFillRect(const Rect& logical, const Rect& device,
                                          const Brush& brush) {
    const Point l[] = {{logical.left, logical.top}, {logical.right, logical.bottom}};
    const Point d[] = {{device.left, device.top}, {device.right, device.bottom}};
    Add(DrawOp::FillRect, l, d).brush = brush;
}

void RecordingDrawContext::RenderInvertRect(const Rect& logical, const Rect& device) {
    const Point l[] = {{logical.left, logical.top}, {logical.right, logical.bottom}};
    const Point d[] = {{device.left, device.top}, {device.right, device.bottom}};
    Add(DrawOp::InvertRect, l, d);
}

void RecordingDrawContext::RenderPixel(Point logical, Point device, COLORREF color) {
    Add(DrawOp::SetPixel, std::span(&logical, 1), std::span(&device, 1)).color = color;
}

void RecordingDrawContext::RenderText(Point logical, Point device, std::string_view text) {
    Add(DrawOp::TextOut, std::span(&logical, 1), std::span(&device, 1)).text = text;
}

void RecordingDrawContext::RenderImage(const Rect& logical, const Rect& device,
                                       const DibPixels& pixels, const Rect& source) {
    const Point l[] = {{logical.left, logical.top}, {logical.right, logical.bottom}};
    const Point d[] = {{device.left, device.top}, {device.right, device.bottom}};
    DrawRecord& record = Add(DrawOp::StretchDIBits, l, d);
    record.source = source;
    record.imageSize = {pixels.width, pixels.Rows()};
}

}  // namespace draw
