#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FakeDocumentServices.h"
#include "foundation/GeometryMath.h"
#include "objects/FloorObject.h"
#include "objects/WallObject.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

constexpr int32_t kSize = 200;

struct SurfaceCase {
    const char* what;
    bool floor;
    float heading;
    float elevation;
    int fillMode;
};

// An L outline at plan (20..140, 20..140), turned and tilted as the case says.
std::unique_ptr<CWallObject> MakeSurface(const SurfaceCase& c) {
    std::unique_ptr<CWallObject> surface;
    if (c.floor) {
        surface = std::make_unique<CFloorObject>();
    } else {
        surface = std::make_unique<CWallObject>();
    }
    surface->SetColor(draw::Rgb(30, 60, 200));
    surface->SetFillColour(draw::Rgb(150, 250, 200));
    surface->SetFillMode(c.fillMode);
    surface->SetPosition(80.0f, 0.0f, -80.0f);
    surface->SetOutline(
        {{20.0, 20.0}, {20.0, 140.0}, {80.0, 140.0}, {80.0, 80.0}, {140.0, 80.0}, {140.0, 20.0}});
    EXPECT_NE(surface->BuildMesh(c.floor ? 0 : 1, 60.0f), 0);
    surface->SetUniformScale(1.0f);
    surface->SetRotation(c.heading, c.elevation, 0.0f);
    surface->UpdatePlanOutline();
    return surface;
}

// Every plan segment by its own MoveTo and LineTo, then the fill, as the
// plan drew surfaces before their lines were drawn together.
void DrawSegmentBySegment(const CWallObject& surface, draw::DrawContext& dc, int rop2) {
    const int level = dc.SaveDC();
    dc.SelectPen(draw::Pen::Create(draw::PS_SOLID, 0, surface.GetColor()));
    dc.SetROP2(rop2);
    std::vector<draw::Point> fill;
    for (const CSegment2F& segment : surface.GetPlanOutline()) {
        const draw::Point start{RoundToInt(segment.start.x), RoundToInt(segment.start.y)};
        dc.MoveTo(start.x, start.y);
        dc.LineTo(RoundToInt(segment.end.x), RoundToInt(segment.end.y));
        fill.push_back(start);
    }
    if (surface.GetFillMode() == 1) {
        dc.SelectBrush(draw::Brush::Solid(surface.GetFillColour()));
        dc.Polygon(fill);
    }
    dc.RestoreDC(level);
}

std::vector<uint8_t> Snapshot(const draw::ImageDrawContext& dc) {
    const uint8_t* data = dc.Data();
    return {data, data + size_t(dc.Stride()) * size_t(kSize)};
}

void PaintStripes(draw::ImageDrawContext& dc) {
    for (int32_t y = 0; y < kSize; ++y) {
        dc.FillRect({0, y, kSize, y + 1}, draw::Brush::Solid(draw::Rgb(uint8_t(y * 3), 128, 40)));
    }
}

TEST(WallObjectPlanDrawTest, PlanPaintsTheBytesOfItsSegmentsDrawnOneByOne) {
    FakeDocumentServices document;
    const SurfaceCase cases[] = {
        {"upright wall", false, 0.0f, 0.0f, 0},        {"turned wall", false, 30.0f, 0.0f, 0},
        {"tilted wall", false, 20.0f, 25.0f, 0},       {"filled floor", true, 0.0f, 0.0f, 1},
        {"turned filled floor", true, 75.0f, 0.0f, 1},
    };
    for (const SurfaceCase& c : cases) {
        const std::unique_ptr<CWallObject> surface = MakeSurface(c);
        for (const int rop2 : {draw::R2_COPYPEN, draw::R2_XORPEN}) {
            draw::ImageDrawContext plan(kSize, kSize);
            draw::ImageDrawContext reference(kSize, kSize);
            PaintStripes(plan);
            PaintStripes(reference);
            const std::vector<uint8_t> background = Snapshot(plan);
            surface->Draw(plan, rop2);
            DrawSegmentBySegment(*surface, reference, rop2);
            // In XOR an upright wall's top edges cancel its foot.
            if (rop2 == draw::R2_COPYPEN) {
                EXPECT_NE(Snapshot(plan), background) << c.what;
            }
            const std::vector<uint8_t> drawn = Snapshot(plan);
            const std::vector<uint8_t> expected = Snapshot(reference);
            size_t differing = 0;
            for (size_t i = 0; i < drawn.size(); ++i) {
                differing += drawn[i] != expected[i] ? 1 : 0;
            }
            EXPECT_EQ(differing, 0u) << c.what << " " << rop2;
        }
    }
}

}  // namespace
