#pragma once

// Small meshes built by hand for the mesh tests, and a way to compare the
// geometry of meshes whose faces and vertices were reordered.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <compare>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"

namespace gfx::test {

// Vertex of FVF XYZ | NORMAL | TEX1, the format of the design objects' meshes.
struct TestVertex {
    Vector3 position;
    Vector3 normal;
    float u = 0;
    float v = 0;
};
static_assert(sizeof(TestVertex) == 32);
inline constexpr uint32_t kTestVertexFvf = kFvfXyz | kFvfNormal | kFvfTex1;

using Face = std::array<uint32_t, 3>;

// A vertex with nothing but a position.
inline TestVertex Point(float x, float y, float z) {
    TestVertex vertex;
    vertex.position = {x, y, z};
    return vertex;
}

inline std::unique_ptr<Mesh> MakeMesh(const std::vector<TestVertex>& vertices,
                                      const std::vector<Face>& faces,
                                      const std::vector<uint32_t>& attributes = {},
                                      uint32_t options = 0, Device* device = nullptr) {
    std::unique_ptr<Mesh> mesh;
    std::string error;
    EXPECT_EQ(kOk, Mesh::Create(static_cast<uint32_t>(faces.size()),
                                static_cast<uint32_t>(vertices.size()), options, kTestVertexFvf,
                                device, &mesh, &error))
        << error;
    if (!mesh) {
        return mesh;
    }
    std::ranges::copy(vertices, mesh->EditVerticesAs<TestVertex>().begin());
    for (size_t f = 0; f < faces.size(); ++f) {
        for (size_t k = 0; k < 3; ++k) {
            if (mesh->Has32BitIndices()) {
                mesh->EditIndices32()[f * 3 + k] = faces[f][k];
            } else {
                mesh->EditIndices16()[f * 3 + k] = static_cast<uint16_t>(faces[f][k]);
            }
        }
    }
    std::ranges::copy(attributes, mesh->EditAttributes().begin());
    return mesh;
}

inline float& Component(Vector3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// The box from min to max with four vertices of its own on each side
// (outward normals, texture corners) and two faces per side, clockwise seen
// from outside. Side s (0 -x, 1 +x, 2 -y, 3 +y, 4 -z, 5 +z) has the faces 2s
// and 2s + 1 and the attribute id s. Its corners c0..c3 give the faces
// (c0, c1, c2) and (c0, c2, c3); on the -z side they are (min x, min y),
// (min x, max y), (max x, max y) and (max x, min y).
inline std::unique_ptr<Mesh> MakeBox(Vector3 min, Vector3 max, uint32_t options = 0,
                                     Device* device = nullptr) {
    std::vector<TestVertex> vertices;
    std::vector<Face> faces;
    std::vector<uint32_t> attributes;
    for (int side = 0; side < 6; ++side) {
        const int axis = side / 2;
        const bool positive = side % 2 == 1;
        const int t0 = axis == 0 ? 1 : 0;
        const int t1 = axis == 2 ? 1 : 2;
        Vector3 normal;
        Component(normal, axis) = positive ? 1.0f : -1.0f;
        std::array<TestVertex, 4> corners;
        const int steps[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
        const float uvs[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
        for (int c = 0; c < 4; ++c) {
            Vector3& p = corners[c].position;
            Component(p, axis) = Component(positive ? max : min, axis);
            Component(p, t0) = Component(steps[c][0] ? max : min, t0);
            Component(p, t1) = Component(steps[c][1] ? max : min, t1);
            corners[c].normal = normal;
            corners[c].u = uvs[c][0];
            corners[c].v = uvs[c][1];
        }
        const Vector3 facing = Vec3Cross(corners[1].position - corners[0].position,
                                         corners[2].position - corners[0].position);
        if (Vec3Dot(facing, normal) < 0) {
            std::swap(corners[1].position, corners[3].position);
        }
        const auto first = static_cast<uint32_t>(vertices.size());
        vertices.insert(vertices.end(), corners.begin(), corners.end());
        faces.push_back({first, first + 1, first + 2});
        faces.push_back({first, first + 2, first + 3});
        attributes.insert(attributes.end(), 2, static_cast<uint32_t>(side));
    }
    return MakeMesh(vertices, faces, attributes, options, device);
}

// A face as its attribute and, per corner, position, normal and first
// texture coordinates (zero where the format has none).
struct FaceRecord {
    uint32_t attribute = 0;
    std::array<float, 24> corners{};

    friend auto operator<=>(const FaceRecord&, const FaceRecord&) = default;
};

inline void PrintTo(const FaceRecord& face, std::ostream* os) {
    *os << "attribute " << face.attribute << " corners";
    for (float c : face.corners) {
        *os << ' ' << c;
    }
}

// The faces in a canonical order, so meshes that differ only in the order
// of faces and vertices compare equal.
inline std::vector<FaceRecord> SortedFaces(const Mesh& mesh) {
    const VertexLayout& layout = mesh.GetLayout();
    std::vector<FaceRecord> faces;
    for (uint32_t f = 0; f < mesh.GetNumFaces(); ++f) {
        FaceRecord record;
        record.attribute = mesh.Attributes()[f];
        const Face corners = mesh.GetFace(f);
        for (size_t k = 0; k < 3; ++k) {
            const uint8_t* vertex = mesh.Vertices().data() + size_t{corners[k]} * layout.size;
            float* out = &record.corners[k * 8];
            std::memcpy(out, vertex, 12);
            if (layout.normalOffset >= 0) {
                std::memcpy(out + 3, vertex + layout.normalOffset, 12);
            }
            if (layout.texCoordSets > 0) {
                std::memcpy(out + 6, vertex + layout.texCoordOffsets[0], 8);
            }
        }
        faces.push_back(record);
    }
    std::ranges::sort(faces);
    return faces;
}

}  // namespace gfx::test
