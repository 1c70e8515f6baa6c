#include "IconSymbols.h"

#include <cmath>
#include <numbers>

namespace {

// Every icon spans 0..100 both ways; the plan scales it to the object.
DxfDrawing EmptyIcon() {
    DxfDrawing drawing;
    drawing.maxX = 100;
    drawing.maxY = 100;
    return drawing;
}

// A box with its diagonals: a model without a symbol of its own.
DxfDrawing Square() {
    DxfDrawing drawing = EmptyIcon();
    drawing.AddRectangle(0, 0, 100, 100);
    drawing.AddLine(0, 0, 100, 100);
    drawing.AddLine(0, 100, 100, 0);
    return drawing;
}

// A bulb with eight rays.
DxfDrawing PointLight() {
    DxfDrawing drawing = EmptyIcon();
    drawing.AddCircle(50, 50, 22, 24);
    for (int i = 0; i < 8; ++i) {
        const double a = std::numbers::pi * i / 4;
        drawing.AddLine(50 + 30 * std::cos(a), 50 + 30 * std::sin(a), 50 + 48 * std::cos(a),
                        50 + 48 * std::sin(a));
    }
    return drawing;
}

// A lamp head opening into a beam.
DxfDrawing SpotLight() {
    DxfDrawing drawing = EmptyIcon();
    drawing.AddRectangle(38, 80, 62, 100);
    drawing.AddLine(38, 80, 5, 0);
    drawing.AddLine(62, 80, 95, 0);
    drawing.AddLine(5, 0, 95, 0);
    drawing.AddLine(50, 80, 50, 10);
    return drawing;
}

// Three parallel arrows: light from far away.
DxfDrawing DirectionalLight() {
    DxfDrawing drawing = EmptyIcon();
    for (double x : {20.0, 50.0, 80.0}) {
        drawing.AddLine(x, 100, x, 0);
        drawing.AddLine(x, 0, x - 10, 18);
        drawing.AddLine(x, 0, x + 10, 18);
    }
    return drawing;
}

// A framed picture with a mountain line.
DxfDrawing Photo() {
    DxfDrawing drawing = EmptyIcon();
    drawing.AddRectangle(0, 0, 100, 100);
    drawing.AddRectangle(10, 10, 90, 90);
    drawing.AddLine(10, 20, 40, 60);
    drawing.AddLine(40, 60, 60, 35);
    drawing.AddLine(60, 35, 75, 50);
    drawing.AddLine(75, 50, 90, 30);
    drawing.AddCircle(70, 75, 7, 12);
    return drawing;
}

}  // namespace

std::vector<NamedDrawing> MakeIconSymbols() {
    return {{"squrt.dxf", Square()},
            {"L1.dxf", PointLight()},
            {"L2.dxf", SpotLight()},
            {"L3.dxf", DirectionalLight()},
            {"100-1.dxf", Photo()}};
}
