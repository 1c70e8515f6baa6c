// A full repaint of the plan of a design of 840 walls, 400 floors and 400
// ceilings at 100 %, through the plan's painter into the back buffer; as the
// baseline the same lines and fills drawn with cairo alone into a surface of
// the same size. The painter should take at most 1.3 times the baseline.

#include <benchmark/benchmark.h>

#include <cairo.h>

#include <memory>
#include <random>
#include <vector>

#include "Bench3DView.h"
#include "Interleaved.h"
#include "ScopedProgramFolder.h"
#include "document/ActiveDocumentServices.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "plan2d/PlanHitTest.h"
#include "plan2d/PlanLayerBits.h"
#include "plan2d/PlanPainter.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr int kRuler = 24;
constexpr int kWalls = 840;
constexpr int kSlabs = 400;
constexpr int kWallColumns = 30;
constexpr int kSlabColumns = 20;
constexpr draw::COLORREF kFloorFill = draw::Rgb(149, 255, 202);
constexpr draw::COLORREF kCeilingFill = draw::Rgb(202, 255, 255);

// A rectangle in stored points (x, -y).
std::vector<CVector2D> Box(double x, double y, double w, double h) {
    return {{x, -y}, {x, -(y + h)}, {x + w, -(y + h)}, {x + w, -y}};
}

// The design with its scene reached through the 3D view: thin walls in rows,
// floors and ceilings as tiles under them, filled solid.
class CPlanDesign {
public:
    CPlanDesign() {
        m_scene.SetDocument(&m_doc);
        m_doc.Attach3DView(&m_view);
        SetActiveHousDocAccessor([this] { return &m_doc; });
        m_doc.Settings().gridGap = 50;
        for (int k = 0; k < kWalls; ++k) {
            Add(kWallObjectType, Box(20.0 + (k % kWallColumns) * 95.0,
                                     20.0 + (k / kWallColumns) * 105.0, 80.0, 12.0));
        }
        for (int k = 0; k < kSlabs; ++k) {
            const std::vector<CVector2D> tile = Box(
                10.0 + (k % kSlabColumns) * 140.0, 10.0 + (k / kSlabColumns) * 140.0, 120.0, 120.0);
            Add(kFloorObjectType, tile);
            Add(kCeilingObjectType, tile);
        }
    }
    ~CPlanDesign() {
        SetActiveHousDocAccessor({});
        SetDocumentServices(m_previousServices);
    }

    CHousDoc& Doc() { return m_doc; }
    CDesignScene& Scene() { return m_scene; }

private:
    void Add(int type, const std::vector<CVector2D>& points) {
        std::unique_ptr<CWallObject> surface;
        if (type == kFloorObjectType) {
            surface = std::make_unique<CFloorObject>();
            surface->SetFillColour(kFloorFill);
        } else if (type == kCeilingObjectType) {
            surface = std::make_unique<CCeilingObject>();
            surface->SetFillColour(kCeilingFill);
        } else {
            surface = std::make_unique<CWallObject>();
        }
        surface->SetFillMode(type == kWallObjectType ? 0 : 1);
        surface->SetPosition(static_cast<float>(points.front().x), 0.0f,
                             static_cast<float>(points.front().y));
        surface->SetOutline(points);
        surface->BuildMesh(type == kWallObjectType ? 1 : 0, 260.0f);
        surface->SetUniformScale(1.0f);
        surface->UpdatePlanOutline();
        m_scene.AddObjectIfAbsent(type, surface.release());
    }

    ScopedProgramFolder m_folder;
    CHousDoc m_doc;
    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = SetDocumentServices(&m_services);
    CDesignScene m_scene;
    CBench3DView m_view{&m_scene};
};

CPlanDesign& Design() {
    static CPlanDesign design;
    return design;
}

// The same ruler bands and ticks, ground, grid, outlines and fills with cairo
// alone, the mapping worked out inline: half a pixel per centimetre past the
// rulers. Only the rulers' labels are left out.
void DrawStraightCairo(cairo_t* cr, CPlanDesign& design) {
    const HousSettings& settings = design.Doc().Settings();
    const auto px = [](double cm) { return static_cast<int>(cm * 0.5) + kRuler + 0.5; };
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.75, 0.75, 0.75);
    cairo_rectangle(cr, kRuler, 0, kWidth - kRuler, kRuler);
    cairo_rectangle(cr, 0, kRuler, kRuler, kHeight - kRuler);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    const auto tickEnd = [](int t) { return t % 100 == 0 ? 9 : (t % 50 == 0 ? 12 : 15); };
    for (int t = 10; t <= settings.length; t += 10) {
        cairo_move_to(cr, px(t), 23.5);
        cairo_line_to(cr, px(t), tickEnd(t) + 0.5);
    }
    for (int t = 10; t <= settings.width; t += 10) {
        cairo_move_to(cr, 23.5, px(t));
        cairo_line_to(cr, tickEnd(t) + 0.5, px(t));
    }
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.75, 0.75, 0.75);
    for (int x = 0; x < settings.length; x += settings.gridGap) {
        cairo_move_to(cr, px(x), px(0));
        cairo_line_to(cr, px(x), px(settings.width));
    }
    for (int y = 0; y < settings.width; y += settings.gridGap) {
        cairo_move_to(cr, px(0), px(y));
        cairo_line_to(cr, px(settings.length), px(y));
    }
    cairo_stroke(cr);
    for (const int type : {kFloorObjectType, kCeilingObjectType, kWallObjectType}) {
        for (const CDesignObject* object : design.Scene().Objects(type)) {
            const auto* surfaceObject = static_cast<const CWallObject*>(object);
            const std::vector<CSegment2F>& outline = surfaceObject->GetPlanOutline();
            cairo_set_source_rgb(cr, 0, 0, 0);
            for (const CSegment2F& segment : outline) {
                cairo_move_to(cr, px(segment.start.x), px(segment.start.y));
                cairo_line_to(cr, px(segment.end.x), px(segment.end.y));
            }
            cairo_stroke(cr);
            if (type == kWallObjectType) {
                continue;
            }
            const draw::COLORREF fill = type == kFloorObjectType ? kFloorFill : kCeilingFill;
            cairo_set_source_rgb(cr, draw::RedOf(fill) / 255.0, draw::GreenOf(fill) / 255.0,
                                 draw::BlueOf(fill) / 255.0);
            for (const CSegment2F& segment : outline) {
                cairo_line_to(cr, px(segment.start.x), px(segment.start.y));
            }
            cairo_close_path(cr);
            cairo_fill_preserve(cr);
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_stroke(cr);
        }
    }
}

// A full repaint of the plan through its painter against the same picture
// drawn with cairo alone, in turns, into surfaces of the same size.
void BM_PlanRepaint(benchmark::State& state) {
    CPlanDesign& design = Design();
    CPlanPainter painter(design.Doc());
    draw::ImageDrawContext buffer(kWidth, kHeight);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1.0);
    bench::RunInterleaved(
        state,
        [&] {
            const int level = buffer.SaveDC();
            painter.DrawPlan(buffer, PlanSketch{});
            buffer.RestoreDC(level);
            benchmark::DoNotOptimize(buffer.Surface());
        },
        [&] {
            DrawStraightCairo(cr, design);
            cairo_surface_flush(surface);
            benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
        })
        .Report(state, "plan", "cairo");
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_PlanRepaint)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// A pick at a random point of the design in the order the plan view picks
// walls, ceilings and floors; it should take well under a millisecond.
void BM_PlanPick(benchmark::State& state) {
    CPlanHitTest hitTest(Design().Doc());
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(0, 3000);
    std::uniform_int_distribution<int> y(-3000, 0);
    for (auto _ : state) {
        const POINT p{x(random), y(random)};
        CDesignObject* hit = hitTest.HitSurfaces(p, kWallObjectType, PlanLayer::kWalls);
        if (hit == nullptr) {
            hit = hitTest.HitSurfaces(p, kCeilingObjectType, PlanLayer::kCeilings);
        }
        if (hit == nullptr) {
            hit = hitTest.HitSurfaces(p, kFloorObjectType, PlanLayer::kFloors);
        }
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(BM_PlanPick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
