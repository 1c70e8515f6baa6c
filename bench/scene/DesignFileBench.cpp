// Designs of walls, floors and ceilings written to a design file and read
// back into a scene. The baseline of a load is what no reader can avoid:
// reading the file's bytes and building the same meshes directly. A load
// should take at most 1.5 times that; the grid of 100 rooms should load in
// at most 0.2 s.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Bench3DView.h"
#include "BenchDocumentServices.h"
#include "ScopedProgramFolder.h"
#include "document/DesignFileView.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/Vector2D.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "platform/fs/AtomicFileWriter.h"

namespace {

constexpr float kWallHeight = 280.0f;
constexpr float kWallThickness = 15.0f;

// The 3D view as the design file reaches it; a benchmark keeps only what a
// load hands over.
class CBenchDesignFileView final : public IDesignFileView {
public:
    DesignViewState GetViewState() const override { return m_state; }
    ShadowColor GetShadowColor() const override { return {0.0f, 0.0f, 0.0f, 0.4f}; }
    const ViewPointTable& GetViewPointTable() const override { return m_table; }
    void ApplyViewState(const DesignViewState& state, const AmbientBytes& /*ambient*/) override {
        m_state = state;
    }
    void SetShadowColor(const ShadowColor& /*color*/) override {}
    void SetViewPointTable(const ViewPointTable& table) override { m_table = table; }
    void SetStoredIdCounter(double /*counter*/) override {}

private:
    DesignViewState m_state;
    ViewPointTable m_table{};
};

// One outline of a surface with its kind and heights.
struct SurfacePlan {
    int type = kWallObjectType;
    std::vector<CVector2D> outline;
    float bottom = 0.0f;
    float top = kWallHeight;
    int openings = 0;
};

// An open document whose scene a design is built in or read into.
class CBenchDesign {
public:
    CBenchDesign() {
        m_scene.SetDocument(&m_doc);
        m_doc.Attach3DView(&m_view);
    }

    CDesignScene& Scene() { return m_scene; }

    bool Save(const std::filesystem::path& path) {
        pfs::AtomicFileWriter sink(path);
        CBinaryWriter writer(sink);
        return m_scene.WriteDesignFile(writer, m_fileView) && !writer.HasError() &&
               sink.Commit().Ok();
    }

    bool Load(const std::filesystem::path& path) {
        CBinaryReader reader(path.string());
        int32_t wireframe = 0;
        return m_scene.ReadDesignFile(reader, m_fileView, true, wireframe);
    }

    [[nodiscard]] size_t Count(int type) const { return m_scene.GetObjectList(type).size(); }

private:
    CHousDoc m_doc;
    CBenchDocumentServices m_services{&m_doc};
    CDesignScene m_scene;
    CBench3DView m_view{&m_scene};
    CBenchDesignFileView m_fileView;
};

std::unique_ptr<CWallObject> MakeSurface(int type) {
    if (type == kFloorObjectType) {
        return std::make_unique<CFloorObject>();
    }
    if (type == kCeilingObjectType) {
        return std::make_unique<CCeilingObject>();
    }
    return std::make_unique<CWallObject>();
}

// The surface as the plan's add-surface step makes it.
std::unique_ptr<CWallObject> BuildSurface(const SurfacePlan& plan, int number) {
    std::unique_ptr<CWallObject> surface = MakeSurface(plan.type);
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

// A U-shaped wall of eight points at a grid place, clockwise on the plan
// as the plan tools store outlines.
std::vector<CVector2D> UWallOutline(double x, double y) {
    const double w = 400.0;
    const double d = 300.0;
    const double t = kWallThickness;
    return {{x, y},         {x, y + d},         {x + t, y + d},
            {x + t, y + t}, {x + w - t, y + t}, {x + w - t, y + d},
            {x + w, y + d}, {x + w, y}};
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

std::vector<CVector2D> Rectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
}

// A 10 x 10 grid of rooms: 110 wall runs each way, a floor and a ceiling
// in every room.
std::vector<SurfacePlan> GridOfRooms() {
    constexpr int kRooms = 10;
    constexpr double kRoom = 400.0;
    const double half = kWallThickness / 2.0;
    std::vector<SurfacePlan> plans;
    for (int line = 0; line <= kRooms; ++line) {
        for (int k = 0; k < kRooms; ++k) {
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
    for (int row = 0; row < kRooms; ++row) {
        for (int column = 0; column < kRooms; ++column) {
            const std::vector<CVector2D> room =
                Rectangle(kRoom * column, kRoom * row, kRoom * (column + 1), kRoom * (row + 1));
            plans.push_back({kFloorObjectType, room, 0.0f, 0.0f, 0});
            plans.push_back({kCeilingObjectType, room, 0.0f, kWallHeight, 0});
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

std::vector<char> ReadBytes(const std::filesystem::path& path) {
    std::vector<char> bytes(std::filesystem::file_size(path));
    std::ifstream in(path, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Builds and saves the design once, then loads it into a fresh document
// per iteration against the baseline of reading the bytes and building the
// meshes.
void RunLoadBenchmark(benchmark::State& state, const std::vector<SurfacePlan>& plans) {
    ScopedProgramFolder folder;
    const std::filesystem::path path = std::filesystem::path(folder.Path()) / "design.dg6";
    double build = 0.0;
    double save = 0.0;
    {
        CBenchDesign design;
        const auto start = std::chrono::steady_clock::now();
        BuildDesign(design, plans);
        const auto built = std::chrono::steady_clock::now();
        if (!design.Save(path)) {
            state.SkipWithError("the design could not be saved");
            return;
        }
        build = Seconds(built - start);
        save = Seconds(std::chrono::steady_clock::now() - built);
    }
    double load = 0.0;
    double baseline = 0.0;
    for (auto _ : state) {
        auto design = std::make_unique<CBenchDesign>();
        const auto start = std::chrono::steady_clock::now();
        const bool loaded = design->Load(path);
        load += Seconds(std::chrono::steady_clock::now() - start);
        if (!loaded || design->Count(kWallObjectType) + design->Count(kFloorObjectType) +
                               design->Count(kCeilingObjectType) !=
                           plans.size()) {
            state.SkipWithError("the design did not load whole");
            return;
        }
        design.reset();

        const auto rawStart = std::chrono::steady_clock::now();
        std::vector<char> bytes = ReadBytes(path);
        std::vector<std::unique_ptr<CWallObject>> surfaces;
        surfaces.reserve(plans.size());
        int number = 1;
        for (const SurfacePlan& plan : plans) {
            surfaces.push_back(BuildSurface(plan, number++));
        }
        benchmark::DoNotOptimize(bytes.data());
        baseline += Seconds(std::chrono::steady_clock::now() - rawStart);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["build_s"] = build;
    state.counters["save_s"] = save;
    state.counters["load_s"] = load / runs;
    state.counters["baseline_s"] = baseline / runs;
    state.counters["load_ratio"] = baseline > 0.0 ? load / baseline : 0.0;
    state.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
}

void BM_DesignOf1000Walls(benchmark::State& state) {
    RunLoadBenchmark(state, ThousandUWalls());
}

void BM_DesignOf100Rooms(benchmark::State& state) {
    RunLoadBenchmark(state, GridOfRooms());
}

BENCHMARK(BM_DesignOf1000Walls)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_DesignOf100Rooms)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
