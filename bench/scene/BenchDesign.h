#pragma once

// Designs of walls, floors and ceilings built the way the plan tools build
// them, for the benchmarks that save, load or open whole designs.

#include <filesystem>
#include <memory>
#include <vector>

#include "Bench3DView.h"
#include "BenchDocumentServices.h"
#include "document/DesignFileView.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/Vector2D.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

constexpr float kBenchWallHeight = 280.0f;
constexpr float kBenchWallThickness = 15.0f;

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
    float top = kBenchWallHeight;
    int openings = 0;
};

// An open document whose scene a design is built in or read into.
class CBenchDesign {
public:
    CBenchDesign();

    CDesignScene& Scene() { return m_scene; }
    // The camera, display and grid the next save stores.
    void SetViewState(const DesignViewState& state) { m_fileView.ApplyViewState(state, {}); }
    bool Save(const std::filesystem::path& path);
    bool Load(const std::filesystem::path& path);
    [[nodiscard]] size_t Count(int type) const { return m_scene.GetObjectList(type).size(); }

private:
    CHousDoc m_doc;
    CBenchDocumentServices m_services{&m_doc};
    CDesignScene m_scene;
    CBench3DView m_view{&m_scene};
    CBenchDesignFileView m_fileView;
};

// The surface as the plan's add-surface step makes it, its mesh on the
// device when one is given.
std::unique_ptr<CWallObject> BuildSurface(const SurfacePlan& plan, int number,
                                          gfx::Device* device = nullptr);
void BuildDesign(CBenchDesign& design, const std::vector<SurfacePlan>& plans);

// A thousand U-shaped walls with four openings each.
std::vector<SurfacePlan> ThousandUWalls();
// A grid of rooms, 10 x 10 unless told: 2 n (n + 1) wall runs (220; 840 for
// 20 x 20), a floor and a ceiling in every room.
std::vector<SurfacePlan> GridOfRooms(int rooms = 10);
