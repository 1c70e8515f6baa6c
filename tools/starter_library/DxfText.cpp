#include "DxfText.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace {

void AppendGroup(std::string& out, int code, const std::string& value) {
    out += std::to_string(code);
    out += "\r\n";
    out += value;
    out += "\r\n";
}

void AppendNumber(std::string& out, int code, double value) {
    char text[64];
    // std::to_chars ignores the locale, unlike printf.
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    AppendGroup(out, code, std::string(text, end.ptr));
}

}  // namespace

void DxfDrawing::AddLine(double x1, double y1, double x2, double y2) {
    lines.push_back({x1, y1, x2, y2});
}

void DxfDrawing::AddRectangle(double x1, double y1, double x2, double y2) {
    AddLine(x1, y1, x2, y1);
    AddLine(x2, y1, x2, y2);
    AddLine(x2, y2, x1, y2);
    AddLine(x1, y2, x1, y1);
}

void DxfDrawing::AddCircle(double cx, double cy, double radius, int sides) {
    for (int i = 0; i < sides; ++i) {
        const double a = 2.0 * std::numbers::pi * i / sides;
        const double b = 2.0 * std::numbers::pi * (i + 1) / sides;
        AddLine(cx + radius * std::cos(a), cy + radius * std::sin(a), cx + radius * std::cos(b),
                cy + radius * std::sin(b));
    }
}

std::string EncodeDxf(const DxfDrawing& drawing) {
    std::string out;
    AppendGroup(out, 0, "SECTION");
    AppendGroup(out, 2, "HEADER");
    AppendGroup(out, 9, "$EXTMIN");
    AppendNumber(out, 10, drawing.minX);
    AppendNumber(out, 20, drawing.minY);
    AppendGroup(out, 9, "$EXTMAX");
    AppendNumber(out, 10, drawing.maxX);
    AppendNumber(out, 20, drawing.maxY);
    AppendGroup(out, 0, "ENDSEC");
    AppendGroup(out, 0, "SECTION");
    AppendGroup(out, 2, "ENTITIES");
    for (const DxfLine& line : drawing.lines) {
        AppendGroup(out, 0, "LINE");
        AppendGroup(out, 8, "0");
        AppendNumber(out, 10, line.x1);
        AppendNumber(out, 20, line.y1);
        AppendNumber(out, 11, line.x2);
        AppendNumber(out, 21, line.y2);
    }
    AppendGroup(out, 0, "ENDSEC");
    AppendGroup(out, 0, "EOF");
    return out;
}
