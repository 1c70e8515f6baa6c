// A surface raised from an outline, with face items from the bytes cut into
// its faces: every index, attribute, texture record and part list must stay
// within the arrays after each cut, refused or not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "foundation/Prompt.h"
#include "foundation/Vector2D.h"
#include "objects/WallObject.h"
#include "platform/gfx/Mesh.h"

namespace {

class CBytes {
public:
    CBytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    float Small() {
        const auto high = static_cast<std::int8_t>(Byte());
        return static_cast<float>(high) * 4.0f + static_cast<float>(Byte()) / 64.0f;
    }
    // Mostly small coordinates; a marked one takes four raw bytes (NaN,
    // infinities, huge values).
    float Coordinate() {
        if (Byte() != 0xFF) {
            return Small();
        }
        std::uint8_t raw[4] = {Byte(), Byte(), Byte(), Byte()};
        float value = 0.0f;
        std::memcpy(&value, raw, sizeof value);
        return value;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

class CCheckedWall : public CWallObject {
public:
    void Check() const {
        const std::size_t vertices = m_meshVertices.size();
        const auto parts = static_cast<std::size_t>(m_materialCount);
        Require(m_meshIndices.size() == 3 * m_meshAttributes.size());
        Require(m_vertexTextureRecords.size() == vertices);
        for (const uint16_t index : m_meshIndices) {
            Require(index < vertices);
        }
        for (const uint32_t attribute : m_meshAttributes) {
            Require(attribute < parts);
        }
        for (const VertexTextureRecord& record : m_vertexTextureRecords) {
            Require(record.part >= 0 && static_cast<std::size_t>(record.part) < parts);
        }
        Require(m_materials.size() >= parts && m_textureNames.size() >= parts &&
                m_mappingRecords.size() >= parts && m_cutVertexRanges.size() >= parts &&
                m_refineRecords.size() >= parts && m_refinementTriangles.size() >= parts);
        for (std::size_t p = 0; p < parts; ++p) {
            const VertexRange& range = m_cutVertexRanges[p];
            Require(range.first >= 0 && range.last < static_cast<int>(vertices));
        }
        auto inRange = [parts](const std::vector<int>& list) {
            for (const int part : list) {
                Require(part >= 0 && static_cast<std::size_t>(part) < parts);
            }
        };
        for (const auto& records : m_splitRecords) {
            for (const SplitRecord& record : records) {
                inRange(record.parts);
            }
        }
        for (const auto& cells : m_cellParts) {
            inRange(cells);
        }
        for (const auto& item : m_faceItems) {
            if (item->applied != 0) {
                inRange(item->parts);
            }
        }
        if (const gfx::Mesh* mesh = GetMesh()) {
            Require(mesh->VerticesAs<MeshVertex>().size() == vertices);
            Require(mesh->Indices16().size() == m_meshIndices.size());
        }
    }

private:
    static void Require(bool holds) {
        if (!holds) {
            std::abort();
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CScopedPromptHandlers quiet([](const MessageRequest&) { return PromptAnswer::Ok; });
    CBytes bytes(data, size);
    const int corners = 3 + bytes.Byte() % 6;
    std::vector<CVector2D> outline;
    for (int i = 0; i < corners; ++i) {
        outline.emplace_back(bytes.Small() * 4.0f, bytes.Small() * 4.0f);
    }
    const float height = 1.0f + static_cast<float>(bytes.Byte()) * 2.0f;
    CCheckedWall wall;
    wall.SetOutline(outline);
    if (wall.BuildMesh(1, height) == 0) {
        return 0;
    }
    wall.SetUniformScale(1.0f);
    const int faces = wall.GetBasePartCount();
    for (int round = 0; round < 4 && !bytes.Empty(); ++round) {
        int face = bytes.Byte() % faces;
        const int items = 1 + bytes.Byte() % 4;
        for (int i = 0; i < items && !bytes.Empty(); ++i) {
            const std::uint8_t flags = bytes.Byte();
            auto item = std::make_unique<WallFaceItem>(face, flags & 1, (flags >> 1) % 5);
            item->SetCorners({bytes.Coordinate(), bytes.Coordinate()},
                             {bytes.Coordinate(), bytes.Coordinate()});
            if (item->kind == WallFaceItem::kPolygon) {
                const int points = bytes.Byte() % 12;
                for (int k = 0; k < points; ++k) {
                    item->outline.emplace_back(bytes.Coordinate(), bytes.Coordinate());
                }
            }
            wall.AddFaceItem(std::move(item));
        }
        // Some applied items are deleted again.
        const std::uint8_t deletions = bytes.Byte();
        int k = 0;
        for (const auto& item : wall.GetFaceItems()) {
            if (item->applied != 0 && (deletions >> (k++ % 8) & 1) != 0) {
                item->deleted = 1;
            }
        }
        wall.RebuildFace(face);
        wall.MarkOpeningsApplied();
        wall.Check();
        face = (face + 1) % faces;
    }
    return 0;
}
