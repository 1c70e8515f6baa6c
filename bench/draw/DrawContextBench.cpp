// Paints a plan of 10,000 mixed shapes into the image back buffer, once
// through the drawing context and once with the same primitives straight in
// cairo, so the cost of the context's state handling shows as the ratio of
// the two.
#include <benchmark/benchmark.h>
#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Interleaved.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

using draw::COLORREF;
using draw::Point;

constexpr int kShapeCount = 10000;
constexpr int kWidth = 1600;
constexpr int kHeight = 1200;
constexpr int kRuler = 24;
constexpr int kTextHeight = -24;
constexpr double kPi = 3.14159265358979323846;

enum class Kind { CosmeticDash, GeometricDash, Arc, Polygon, Text };

struct Shape {
    Kind kind;
    std::vector<Point> points;  // logical; box figures: corners then radials
    COLORREF color;
    COLORREF fill;
    int32_t width;
    std::string text;
};

std::vector<Shape> MakePlan() {
    std::mt19937 random(20240601);
    auto coordinate = [&](int range) { return int32_t(random() % uint32_t(range)); };
    auto color = [&] { return COLORREF(random() & 0xFFFFFF); };
    std::vector<Shape> plan;
    plan.reserve(kShapeCount);
    for (int i = 0; i < kShapeCount; ++i) {
        Shape shape{Kind(i % 5), {}, color(), color(), int32_t(2 + random() % 4), {}};
        const int32_t x = coordinate(2900);
        const int32_t y = coordinate(2100);
        switch (shape.kind) {
            case Kind::CosmeticDash:
            case Kind::GeometricDash:
                shape.points = {{x, y}, {x + coordinate(400) - 200, y + coordinate(400) - 200}};
                break;
            case Kind::Arc: {
                const int32_t r = 10 + coordinate(150);
                shape.points = {{x - r, y - r}, {x + r, y + r}, {x + r, y}, {x, y - r}};
                break;
            }
            case Kind::Polygon:
                for (int k = 0; k < 6; ++k) {
                    const double a = k * kPi / 3;
                    const double r = 20 + coordinate(60);
                    shape.points.push_back({x + int32_t(std::lround(r * std::cos(a))),
                                            y + int32_t(std::lround(r * std::sin(a)))});
                }
                break;
            case Kind::Text:
                shape.points = {{x, y}};
                shape.text = std::to_string(coordinate(9999) / 100.0).substr(0, 5) + "m";
                break;
        }
        plan.push_back(std::move(shape));
    }
    return plan;
}

const std::vector<Shape>& Plan() {
    static const std::vector<Shape> plan = MakePlan();
    return plan;
}

// The plan view's mapping at 100%: half a pixel per centimetre.
void PreparePlanMapping(draw::DrawContext& dc) {
    dc.SetMapMode(draw::MM_ISOTROPIC);
    dc.SetWindowExt(2 * (kWidth - kRuler), 2 * (kHeight - kRuler));
    dc.SetViewportExt(kWidth - kRuler, kHeight - kRuler);
    dc.SetViewportOrg(kRuler, kRuler);
}

void PaintThroughContext(draw::ImageDrawContext& dc) {
    using namespace draw;
    dc.SetMapMode(MM_TEXT);
    dc.FillRect({0, 0, kWidth, kHeight}, Brush::Solid(Rgb(255, 255, 255)));
    PreparePlanMapping(dc);
    dc.SetBkMode(TRANSPARENT);
    Font font;
    font.faceName = "Arial";
    font.height = kTextHeight;
    dc.SelectFont(font);
    for (const Shape& shape : Plan()) {
        const std::vector<Point>& p = shape.points;
        switch (shape.kind) {
            case Kind::CosmeticDash:
                dc.SelectPen(Pen::Create(PS_DASH, 0, shape.color));
                dc.MoveTo(p[0].x, p[0].y);
                dc.LineTo(p[1].x, p[1].y);
                break;
            case Kind::GeometricDash: {
                const uint32_t dashes[] = {uint32_t(17 * shape.width), uint32_t(7 * shape.width)};
                dc.SelectPen(Pen::CreateExt(PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_USERSTYLE,
                                            shape.width, shape.color, dashes));
                dc.MoveTo(p[0].x, p[0].y);
                dc.LineTo(p[1].x, p[1].y);
                break;
            }
            case Kind::Arc:
                dc.SelectPen(Pen::Create(PS_SOLID, 0, shape.color));
                dc.Arc(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, p[3].x, p[3].y);
                break;
            case Kind::Polygon:
                dc.SelectPen(Pen::Create(PS_SOLID, 0, shape.color));
                dc.SelectBrush(Brush::Solid(shape.fill));
                dc.Polygon(p);
                break;
            case Kind::Text:
                dc.SetTextColor(shape.color);
                dc.TextOut(p[0].x, p[0].y, shape.text);
                break;
        }
    }
}

// The same drawing with cairo alone: the mapping, the pixel-centre paths and
// the pens worked out inline.
class StraightCairo {
public:
    StraightCairo() {
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Arial"));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_matrix_t fontMatrix;
        cairo_matrix_t ctm;
        cairo_matrix_init_scale(&fontMatrix, -kTextHeight * Scale(), -kTextHeight * Scale());
        cairo_matrix_init_identity(&ctm);
        m_font = cairo_scaled_font_create(face, &fontMatrix, &ctm, options);
        cairo_font_extents_t extents;
        cairo_scaled_font_extents(m_font, &extents);
        m_ascent = extents.ascent;
        cairo_font_options_destroy(options);
        cairo_font_face_destroy(face);
        FcPatternDestroy(match);
        FcPatternDestroy(pattern);
        m_surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
        m_cr = cairo_create(m_surface);
        cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
    }
    ~StraightCairo() {
        cairo_destroy(m_cr);
        cairo_surface_destroy(m_surface);
        cairo_scaled_font_destroy(m_font);
    }

    void Paint() {
        cairo_t* cr = m_cr;
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        for (const Shape& shape : Plan()) {
            std::vector<Point> d = shape.points;
            for (Point& p : d) {
                p = {int32_t(std::lround((p.x) * Scale() + kRuler)),
                     int32_t(std::lround((p.y) * Scale() + kRuler))};
            }
            switch (shape.kind) {
                case Kind::CosmeticDash: {
                    static const double dashes[] = {18, 6};
                    StartStroke(shape.color, 1, CAIRO_LINE_CAP_BUTT, CAIRO_LINE_JOIN_MITER);
                    cairo_set_dash(cr, dashes, 2, 0);
                    const int64_t dx = d[1].x - d[0].x;
                    const int64_t dy = d[1].y - d[0].y;
                    const int64_t major = std::max(std::llabs(dx), std::llabs(dy));
                    const double hx = major ? 0.5 * double(dx) / double(major) : 0;
                    const double hy = major ? 0.5 * double(dy) / double(major) : 0;
                    cairo_move_to(cr, d[0].x + 0.5 - hx, d[0].y + 0.5 - hy);
                    cairo_line_to(cr, d[1].x + 0.5 - hx, d[1].y + 0.5 - hy);
                    cairo_stroke(cr);
                    break;
                }
                case Kind::GeometricDash: {
                    const double width = std::max(1.0, shape.width * Scale());
                    const double dashes[] = {17 * shape.width * Scale(), 7 * shape.width * Scale()};
                    StartStroke(shape.color, width, CAIRO_LINE_CAP_SQUARE, CAIRO_LINE_JOIN_ROUND);
                    cairo_set_dash(cr, dashes, 2, 0);
                    cairo_move_to(cr, d[0].x + 0.5, d[0].y + 0.5);
                    cairo_line_to(cr, d[1].x + 0.5, d[1].y + 0.5);
                    cairo_stroke(cr);
                    break;
                }
                case Kind::Arc: {
                    StartStroke(shape.color, 1, CAIRO_LINE_CAP_BUTT, CAIRO_LINE_JOIN_MITER);
                    cairo_set_dash(cr, nullptr, 0, 0);
                    const double rx = (d[1].x - d[0].x - 1) / 2.0;
                    const double ry = (d[1].y - d[0].y - 1) / 2.0;
                    const double cx = (d[0].x + d[1].x) / 2.0;
                    const double cy = (d[0].y + d[1].y) / 2.0;
                    if (rx <= 0 || ry <= 0) {
                        break;
                    }
                    const double start =
                        std::atan2((d[2].y + 0.5 - cy) / ry, (d[2].x + 0.5 - cx) / rx);
                    const double end =
                        std::atan2((d[3].y + 0.5 - cy) / ry, (d[3].x + 0.5 - cx) / rx);
                    cairo_new_sub_path(cr);
                    cairo_save(cr);
                    cairo_translate(cr, cx, cy);
                    cairo_scale(cr, rx, ry);
                    cairo_arc_negative(cr, 0, 0, 1, start, end);
                    cairo_restore(cr);
                    cairo_stroke(cr);
                    break;
                }
                case Kind::Polygon:
                    cairo_move_to(cr, d[0].x + 0.5, d[0].y + 0.5);
                    for (size_t i = 1; i < d.size(); ++i) {
                        cairo_line_to(cr, d[i].x + 0.5, d[i].y + 0.5);
                    }
                    cairo_close_path(cr);
                    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
                    SetColor(shape.fill);
                    cairo_fill_preserve(cr);
                    StartStroke(shape.color, 1, CAIRO_LINE_CAP_BUTT, CAIRO_LINE_JOIN_MITER);
                    cairo_set_dash(cr, nullptr, 0, 0);
                    cairo_stroke(cr);
                    break;
                case Kind::Text:
                    SetColor(shape.color);
                    cairo_set_scaled_font(cr, m_font);
                    cairo_move_to(cr, d[0].x, d[0].y + m_ascent);
                    cairo_show_text(cr, shape.text.c_str());
                    break;
            }
        }
        cairo_surface_flush(m_surface);
    }

private:
    static double Scale() { return 0.5; }
    void SetColor(COLORREF c) {
        cairo_set_source_rgb(m_cr, draw::RedOf(c) / 255.0, draw::GreenOf(c) / 255.0,
                             draw::BlueOf(c) / 255.0);
    }
    void StartStroke(COLORREF c, double width, cairo_line_cap_t cap, cairo_line_join_t join) {
        SetColor(c);
        cairo_set_line_width(m_cr, width);
        cairo_set_line_cap(m_cr, cap);
        cairo_set_line_join(m_cr, join);
    }

    cairo_scaled_font_t* m_font = nullptr;
    double m_ascent = 0;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cr = nullptr;
};

void BM_PlanThroughDrawContext(benchmark::State& state) {
    draw::ImageDrawContext dc(kWidth, kHeight);
    for (auto _ : state) {
        PaintThroughContext(dc);
        benchmark::DoNotOptimize(dc.Data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kShapeCount);
}

void BM_PlanStraightCairo(benchmark::State& state) {
    StraightCairo cairo;
    for (auto _ : state) {
        cairo.Paint();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kShapeCount);
}

// The plan painted both ways in turn; the ratio is what the drawing layer
// costs over straight cairo.
void BM_DrawContextOverCairo(benchmark::State& state) {
    draw::ImageDrawContext dc(kWidth, kHeight);
    StraightCairo cairo;
    bench::RunInterleaved(
        state,
        [&dc] {
            PaintThroughContext(dc);
            benchmark::DoNotOptimize(dc.Data());
        },
        [&cairo] { cairo.Paint(); })
        .Report(state, "context", "cairo");
}

BENCHMARK(BM_PlanStraightCairo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanThroughDrawContext)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawContextOverCairo)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
