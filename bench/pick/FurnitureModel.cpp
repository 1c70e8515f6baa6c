#include "FurnitureModel.h"

#include <cstdint>

#include "foundation/MeshVertex.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectSnapshot.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshTypes.h"

namespace {

constexpr uint32_t kMeshFvf = gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1;

// A box from its low corner to its high corner, in centimetres.
struct Piece {
    gfx::Vector3 low;
    gfx::Vector3 high;
};

// Four legs of side leg and height high under a top of width by depth.
void AddLegs(std::vector<Piece>& pieces, float width, float depth, float leg, float high) {
    const float x = width / 2.0f;
    const float z = depth / 2.0f;
    for (const float sx : {-1.0f, 1.0f}) {
        for (const float sz : {-1.0f, 1.0f}) {
            const float x0 = sx < 0 ? -x : x - leg;
            const float z0 = sz < 0 ? -z : z - leg;
            pieces.push_back({{x0, 0, z0}, {x0 + leg, high, z0 + leg}});
        }
    }
}

std::vector<Piece> PiecesOf(int kind) {
    std::vector<Piece> pieces;
    switch (kind) {
        case 0:  // table 120 x 80, 75 high
            AddLegs(pieces, 120, 80, 6, 72);
            pieces.push_back({{-60, 72, -40}, {60, 75, 40}});
            break;
        case 1:  // chair 45 x 45, seat at 45, back to 90
            AddLegs(pieces, 45, 45, 4, 42);
            pieces.push_back({{-22.5f, 42, -22.5f}, {22.5f, 45, 22.5f}});
            pieces.push_back({{-22.5f, 45, 18.5f}, {22.5f, 90, 22.5f}});
            break;
        case 2:  // bed 200 x 160: base, mattress, headboard
            pieces.push_back({{-80, 0, -100}, {80, 30, 100}});
            pieces.push_back({{-78, 30, -98}, {78, 50, 95}});
            pieces.push_back({{-80, 0, 95}, {80, 100, 100}});
            break;
        case 3:  // wardrobe 100 x 60, 200 high, two doors
            pieces.push_back({{-50, 0, -28}, {50, 200, 30}});
            pieces.push_back({{-49, 5, -30}, {-1, 195, -28}});
            pieces.push_back({{1, 5, -30}, {49, 195, -28}});
            break;
        case 4:  // shelf 80 x 30, 180 high: two sides and five boards
            pieces.push_back({{-40, 0, -15}, {-38, 180, 15}});
            pieces.push_back({{38, 0, -15}, {40, 180, 15}});
            for (int board = 0; board < 5; ++board) {
                const float y = 2.0f + 43.0f * static_cast<float>(board);
                pieces.push_back({{-38, y, -15}, {38, y + 2, 15}});
            }
            break;
        default:  // sofa 200 x 90: seat, back, two arms
            pieces.push_back({{-85, 0, -45}, {85, 42, 35}});
            pieces.push_back({{-85, 0, 35}, {85, 80, 45}});
            pieces.push_back({{-100, 0, -45}, {-85, 60, 45}});
            pieces.push_back({{85, 0, -45}, {100, 60, 45}});
            break;
    }
    return pieces;
}

// Six sides of four corners each, so that every side has its own normal.
// The winding is left as it falls: a pick hits both faces of a triangle.
void AppendBox(const Piece& piece, std::span<MeshVertex> vertices, std::span<uint16_t> indices,
               uint32_t& vertex, uint32_t& index) {
    const gfx::Vector3& a = piece.low;
    const gfx::Vector3& b = piece.high;
    struct Side {
        gfx::Vector3 normal;
        gfx::Vector3 corners[4];
    };
    const Side sides[6] = {
        {{-1, 0, 0}, {{a.x, a.y, a.z}, {a.x, b.y, a.z}, {a.x, b.y, b.z}, {a.x, a.y, b.z}}},
        {{1, 0, 0}, {{b.x, a.y, b.z}, {b.x, b.y, b.z}, {b.x, b.y, a.z}, {b.x, a.y, a.z}}},
        {{0, -1, 0}, {{a.x, a.y, b.z}, {b.x, a.y, b.z}, {b.x, a.y, a.z}, {a.x, a.y, a.z}}},
        {{0, 1, 0}, {{a.x, b.y, a.z}, {b.x, b.y, a.z}, {b.x, b.y, b.z}, {a.x, b.y, b.z}}},
        {{0, 0, -1}, {{b.x, a.y, a.z}, {b.x, b.y, a.z}, {a.x, b.y, a.z}, {a.x, a.y, a.z}}},
        {{0, 0, 1}, {{a.x, a.y, b.z}, {a.x, b.y, b.z}, {b.x, b.y, b.z}, {b.x, a.y, b.z}}},
    };
    for (const Side& side : sides) {
        const auto first = static_cast<uint16_t>(vertex);
        for (int k = 0; k < 4; ++k) {
            const gfx::Vector3& p = side.corners[k];
            vertices[vertex++] = {p.x,
                                  p.y,
                                  p.z,
                                  side.normal.x,
                                  side.normal.y,
                                  side.normal.z,
                                  static_cast<float>(k / 2),
                                  static_cast<float>((k + 1) / 2 % 2)};
        }
        for (const int corner : {0, 1, 2, 0, 2, 3}) {
            indices[index++] = static_cast<uint16_t>(first + corner);
        }
    }
}

}  // namespace

CFurnitureModel::CFurnitureModel(int kind) {
    m_type = kModelObjectType;
    const std::vector<Piece> pieces = PiecesOf(kind);
    const auto boxes = static_cast<uint32_t>(pieces.size());
    std::unique_ptr<gfx::Mesh> mesh;
    gfx::Mesh::Create(12 * boxes, 24 * boxes, 0, kMeshFvf, nullptr, &mesh);
    const std::span<MeshVertex> vertices = mesh->EditVerticesAs<MeshVertex>();
    const std::span<uint16_t> indices = mesh->EditIndices16();
    uint32_t vertex = 0;
    uint32_t index = 0;
    for (const Piece& piece : pieces) {
        AppendBox(piece, vertices, indices, vertex, index);
    }
    SetMesh(std::move(mesh));
    ResizeMaterials(1);
    SetUniformScale(1.0f);
}

void CFurnitureModel::PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                       int groupCount, int type) {
    PushSnapshotRecord(list, value, groupCount, type, std::make_unique<CObjectSnapshot>(*this));
}

void CFurnitureModel::CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                         std::unique_ptr<HistoryRecord> record, int groupCount) {
    CommitSnapshotRecord(list, std::move(record), groupCount,
                         std::make_unique<CObjectSnapshot>(*this));
}
