#include "PickScene.h"

#include "FurnitureModel.h"
#include "foundation/Vector2D.h"
#include "objects/FloorObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr int kObjects = 10000;
constexpr float kFloorSize = 20000.0f;
constexpr float kCell = 200.0f;
constexpr int kGridColumns = 100;
constexpr float kWallHeight = 260.0f;
constexpr float kWallThickness = 20.0f;
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr int kCursorColumns = 40;
constexpr int kCursorRows = 25;

// A rectangle in stored points (x, -y), turning so that the outline the
// surface keeps (y negated again) runs counter-clockwise, as its caps'
// triangulation needs.
std::vector<CVector2D> Rectangle(double x, double y, double w, double h) {
    return {{x, -y}, {x + w, -y}, {x + w, -(y + h)}, {x, -(y + h)}};
}

// As the plan editor builds them: the outline relative to its first point,
// walls full height, floors their top only at their level.
void AddSurface(CDesignScene& scene, int type, const std::vector<CVector2D>& points) {
    std::unique_ptr<CWallObject> surface;
    if (type == kFloorObjectType) {
        surface = std::make_unique<CFloorObject>();
    } else {
        surface = std::make_unique<CWallObject>();
    }
    surface->SetPosition(static_cast<float>(points.front().x), 0.0f,
                         static_cast<float>(points.front().y));
    surface->SetOutline(points);
    if (type == kWallObjectType) {
        surface->BuildMesh(1, kWallHeight);
    } else {
        surface->BuildMesh(0, 0.0f);
    }
    surface->SetUniformScale(1.0f);
    scene.AddObjectIfAbsent(type, surface.release());
}

void AddWallsAndFloors(CDesignScene& scene, int& count) {
    const double half = kFloorSize / 2.0;
    for (const double x : {0.0, half}) {
        for (const double y : {0.0, half}) {
            AddSurface(scene, kFloorObjectType, Rectangle(x, y, half, half));
            ++count;
        }
    }
    const double t = kWallThickness;
    const std::vector<std::vector<CVector2D>> walls = {
        Rectangle(-t, -t, kFloorSize + 2 * t, t),
        Rectangle(-t, kFloorSize, kFloorSize + 2 * t, t),
        Rectangle(-t, 0, t, kFloorSize),
        Rectangle(kFloorSize, 0, t, kFloorSize),
        Rectangle(half - t / 2, 0, t, half - 200),
        Rectangle(half - t / 2, half + 200, t, half - 200),
        Rectangle(0, half - t / 2, half - 200, t),
        Rectangle(half + 200, half - t / 2, half - 200, t),
    };
    for (const std::vector<CVector2D>& wall : walls) {
        AddSurface(scene, kWallObjectType, wall);
        ++count;
    }
}

// Model k stands in its grid cell at a heading of its own.
void AddModels(CDesignScene& scene, int& count) {
    for (int k = 0; count < kObjects; ++k, ++count) {
        auto model =
            std::make_unique<CFurnitureModel>((k * 7 + k / kGridColumns) % CFurnitureModel::kKinds);
        const float x = (static_cast<float>(k % kGridColumns) + 0.5f) * kCell;
        const float z = -(static_cast<float>(k / kGridColumns) + 0.5f) * kCell;
        model->SetRotation(0.37f * static_cast<float>(k % 17), 0.0f, 0.0f);
        model->SetPosition(x, 0.0f, z);
        scene.AddObjectIfAbsent(kModelObjectType, model.release());
    }
}

void CollectTriangles(PickScene& s) {
    for (int type = 0; type <= kCeilingObjectType; ++type) {
        for (const CDesignObject* item : s.scene->Objects(type)) {
            const auto* object = static_cast<const C3DObject*>(item);
            const gfx::Mesh* mesh = object->GetMesh();
            if (mesh == nullptr) {
                continue;
            }
            const gfx::Matrix& world = object->GetWorldMatrix();
            for (uint32_t face = 0; face < mesh->GetNumFaces(); ++face) {
                const auto [i0, i1, i2] = mesh->GetFace(face);
                s.triangles.push_back({gfx::Vec3TransformCoord(mesh->GetPosition(i0), world),
                                       gfx::Vec3TransformCoord(mesh->GetPosition(i1), world),
                                       gfx::Vec3TransformCoord(mesh->GetPosition(i2), world)});
            }
        }
    }
}

}  // namespace

std::unique_ptr<PickScene> CreatePickScene() {
    auto s = std::make_unique<PickScene>();
    s->scene = std::make_unique<CDesignScene>();
    AddWallsAndFloors(*s->scene, s->objects);
    AddModels(*s->scene, s->objects);
    CollectTriangles(*s);
    // Standing above the middle of the near edge, looking in and down.
    s->query.eye = {kFloorSize / 2.0f, 900.0f, 600.0f};
    s->query.view =
        gfx::MatrixLookAtLH(s->query.eye, {kFloorSize / 2.0f, 0.0f, -3000.0f}, {0.0f, 1.0f, 0.0f});
    s->query.projection = gfx::MatrixPerspectiveFovLH(
        0.9f, static_cast<float>(kWindowWidth) / kWindowHeight, 10.0f, 50000.0f);
    s->query.width = kWindowWidth;
    s->query.height = kWindowHeight;
    return s;
}

std::vector<ScenePickQuery> CursorQueries(const PickScene& scene) {
    std::vector<ScenePickQuery> queries;
    for (int row = 0; row < kCursorRows; ++row) {
        for (int column = 0; column < kCursorColumns; ++column) {
            ScenePickQuery query = scene.query;
            query.x = (2 * column + 1) * kWindowWidth / (2 * kCursorColumns);
            query.y = (2 * row + 1) * kWindowHeight / (2 * kCursorRows);
            queries.push_back(query);
        }
    }
    return queries;
}
