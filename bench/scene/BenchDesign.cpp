#include "BenchDesign.h"

#include <utility>

#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "platform/fs/AtomicFileWriter.h"

CBenchDesign::CBenchDesign() {
    m_scene.SetDocument(&m_doc);
    m_doc.Attach3DView(&m_view);
}

bool CBenchDesign::Save(const std::filesystem::path& path) {
    pfs::AtomicFileWriter sink(path);
    CBinaryWriter writer(sink);
    return m_scene.WriteDesignFile(writer, m_fileView) && !writer.HasError() && sink.Commit().Ok();
}

bool CBenchDesign::Load(const std::filesystem::path& path) {
    CBinaryReader reader(path.string());
    int32_t wireframe = 0;
    return m_scene.ReadDesignFile(reader, m_fileView, true, wireframe);
}

namespace {

std::unique_ptr<CWallObject> MakeSurface(int type) {
    if (type == kFloorObjectType) {
        return std::make_unique<CFloorObject>();
    }
    if (type == kCeilingObjectType) {
        return std::make_unique<CCeilingObject>();
    }
    return std::make_unique<CWallObject>();
}

// A U-shaped wall of eight points at a grid place, clockwise on the plan
// as the plan tools store outlines.
std::vector<CVector2D> UWallOutline(double x, double y) {
    const double w = 400.0;
    const double d = 300.0;
    const double t = kBenchWallThickness;
    return {{x, y},         {x, y + d},         {x + t, y + d},
            {x + t, y + t}, {x + w - t, y + t}, {x + w - t, y + d},
            {x + w, y + d}, {x + w, y}};
}

// The rectangle of plan corners (x right, y down) as a surface outline in
// the scene's x and z, where z = -y, turning the way the plan tools store it.
std::vector<CVector2D> Rectangle(double x0, double y0, double x1, double y1) {
    return {{x1, -y0}, {x1, -y1}, {x0, -y1}, {x0, -y0}};
}

}  // namespace

std::unique_ptr<CWallObject> BuildSurface(const SurfacePlan& plan, int number,
                                          gfx::Device* device) {
    std::unique_ptr<CWallObject> surface = MakeSurface(plan.type);
    surface->SetDevice(device);
    surface->SetNumber(number);
    const float level = plan.type == kCeilingObjectType ? plan.top : plan.bottom;
    surface->SetPosition(static_cast<float>(plan.outline[0].x), level,
                         static_cast<float>(plan.outline[0].y));
    surface->SetOutline(plan.outline);
    const bool wall = plan.type == kWallObjectType;
    surface->BuildMesh(wall ? 1 : 0, wall ? plan.top - plan.bottom : 0.0f);
    surface->SetUniformScale(1.0f);
    surface->UpdatePlanOutline();
    // Door and window openings on the long outer side.
    for (int k = 0; k < plan.openings; ++k) {
        auto item = std::make_unique<WallFaceItem>(2, 1, WallFaceItem::kRectangle);
        const float left = 20.0f + 90.0f * static_cast<float>(k);
        item->SetCorners(CVector2F(left, 80.0f), CVector2F(left + 60.0f, 200.0f));
        surface->AddFaceItem(std::move(item));
    }
    return surface;
}

std::vector<SurfacePlan> ThousandUWalls() {
    std::vector<SurfacePlan> plans;
    for (int k = 0; k < 1000; ++k) {
        SurfacePlan plan;
        plan.outline = UWallOutline(500.0 * (k % 40), 400.0 * (k / 40));
        plan.openings = 4;
        plans.push_back(std::move(plan));
    }
    return plans;
}

std::vector<SurfacePlan> GridOfRooms(int rooms) {
    constexpr double kRoom = 400.0;
    const double half = kBenchWallThickness / 2.0;
    std::vector<SurfacePlan> plans;
    for (int line = 0; line <= rooms; ++line) {
        for (int k = 0; k < rooms; ++k) {
            const double along = kRoom * k;
            const double across = kRoom * line;
            SurfacePlan horizontal;
            horizontal.outline = Rectangle(along, across - half, along + kRoom, across + half);
            plans.push_back(horizontal);
            SurfacePlan vertical;
            vertical.outline = Rectangle(across - half, along, across + half, along + kRoom);
            plans.push_back(vertical);
        }
    }
    for (int row = 0; row < rooms; ++row) {
        for (int column = 0; column < rooms; ++column) {
            const std::vector<CVector2D> room =
                Rectangle(kRoom * column, kRoom * row, kRoom * (column + 1), kRoom * (row + 1));
            plans.push_back({kFloorObjectType, room, 0.0f, 0.0f, 0});
            plans.push_back({kCeilingObjectType, room, 0.0f, kBenchWallHeight, 0});
        }
    }
    return plans;
}

void BuildDesign(CBenchDesign& design, const std::vector<SurfacePlan>& plans) {
    int number = 1;
    for (const SurfacePlan& plan : plans) {
        design.Scene().AddObjectIfAbsent(plan.type, BuildSurface(plan, number++).release());
    }
}
