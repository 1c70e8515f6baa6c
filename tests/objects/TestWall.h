#pragma once

// Surface objects for tests: a wall (or a ceiling, by type code) built from
// plan points, with its protected arrays open so that a test can add the
// parts cutting would make, and a recorder of the messages shown.

#include <string>
#include <vector>

#include "foundation/Prompt.h"
#include "foundation/Vector2D.h"
#include "objects/WallObject.h"

class CTestWall : public CWallObject {
public:
    explicit CTestWall(int type = 1) { m_type = type; }

    // Plan points clockwise on the plan (y up), as the plan tools store
    // them, which makes the outline counter-clockwise.
    static std::vector<CVector2D> Square(double side) {
        return {{0, 0}, {0, side}, {side, side}, {side, 0}};
    }
    // An L of 200 x 200 with a 100 x 100 notch.
    static std::vector<CVector2D> LShape() {
        return {{0, 0}, {0, 200}, {100, 200}, {100, 100}, {200, 100}, {200, 0}};
    }

    int Build(const std::vector<CVector2D>& points, float height, int full = 1) {
        SetOutline(points);
        const int result = BuildMesh(full, height);
        SetUniformScale(1.0f);
        return result;
    }

    // Appends a part made of the triangles given (mesh vertices with the
    // part's texture records) and returns its index.
    int AddPart(const std::vector<MeshVertex>& corners) {
        const int part = m_materialCount;
        ResizePartArrays(part + 1);
        for (std::size_t i = 0; i < corners.size(); ++i) {
            m_meshIndices.push_back(static_cast<uint16_t>(m_meshVertices.size()));
            m_meshVertices.push_back(corners[i]);
            m_vertexTextureRecords.push_back({part, corners[i].u, corners[i].v});
            if (i % 3 == 2) {
                m_meshAttributes.push_back(static_cast<uint32_t>(part));
            }
        }
        return part;
    }

    using CWallObject::GetMirrorSurfaceMesh;
    using CWallObject::m_cellParts;
    using CWallObject::m_cutVertexRanges;
    using CWallObject::m_meshAttributes;
    using CWallObject::m_meshIndices;
    using CWallObject::m_meshVertices;
    using CWallObject::m_refinementTriangles;
    using CWallObject::m_refinementVertexRanges;
    using CWallObject::m_refineRecords;
    using CWallObject::m_splitRecords;
    using CWallObject::m_vertexTextureRecords;
    using CWallObject::ResizePartArrays;
};

// Keeps every message shown while it lives; each is answered with OK.
class MessageRecorder {
public:
    MessageRecorder()
        : m_handlers([this](const MessageRequest& request) {
              messages.push_back(request.text);
              return PromptAnswer::Ok;
          }) {}

    std::vector<std::string> messages;

private:
    CScopedPromptHandlers m_handlers;
};
