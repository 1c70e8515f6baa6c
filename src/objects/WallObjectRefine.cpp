#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "foundation/MeshVertex.h"
#include "foundation/OperationProgress.h"
#include "foundation/Prompt.h"
#include "objects/DocumentServices.h"
#include "objects/HistoryRecord.h"
#include "objects/WallObject.h"
#include "platform/gfx/MeshTypes.h"

namespace {

constexpr std::size_t kMaxMeshIndices = 0xFFFF;
// Refinement triangles keep their mesh index in the low 16 bits.
constexpr int kIndexBits = 0xFFFF;

// Drops every triangle of the part, keeping the others in order; their
// corners are handed to taken, three a triangle, when it is given.
void RemovePartTriangles(std::vector<uint16_t>& indices, std::vector<uint32_t>& attributes,
                         uint32_t part, std::vector<uint16_t>* taken) {
    const std::size_t triangles = std::min(indices.size() / 3, attributes.size());
    std::size_t kept = 0;
    for (std::size_t t = 0; t < triangles; ++t) {
        const uint16_t* corners = indices.data() + t * 3;
        if (attributes[t] == part) {
            if (taken != nullptr) {
                taken->insert(taken->end(), corners, corners + 3);
            }
            continue;
        }
        if (kept != t) {
            std::copy_n(corners, 3, indices.data() + kept * 3);
            attributes[kept] = attributes[t];
        }
        ++kept;
    }
    indices.resize(kept * 3);
    attributes.resize(kept);
}

}  // namespace

void CWallObject::SetFaceRefineFlag(int part, int flag, int level) {
    if (part < 0 || part >= static_cast<int>(m_refineRecords.size())) {
        return;
    }
    const int old = m_refineRecords[part].flag;
    m_refineRecords[part] = RefineRecord{flag, level};
    // A design being read or a snapshot being restored refines here: neither
    // is an edit of its own, so nothing is recorded.
    if (flag != old && flag != 0) {
        ToggleRefinement(part, 0, 0);
    }
}

void CWallObject::SetRefineLevel(int part, int level) {
    if (part >= 0 && part < static_cast<int>(m_refineRecords.size())) {
        m_refineRecords[part].level = level;
    }
}

int CWallObject::ToggleRefinement(int part, int toggle, int recordUndo) {
    if (part < 0 || part >= static_cast<int>(m_refineRecords.size()) ||
        part >= static_cast<int>(m_refinementTriangles.size()) ||
        part >= static_cast<int>(m_refinementVertexRanges.size())) {
        return 0;
    }
    const RefineRecord before = m_refineRecords[part];
    const bool refine = (toggle != 0 && before.flag == 0) || (toggle == 0 && before.flag == 1);
    if (!refine) {
        UndoRefinement(part);
        RebuildD3DMesh();
        RestoreTextureCoords();
        if (toggle != 0) {
            m_refineRecords[part].flag = 0;
        }
    } else {
        std::vector<int>& plain = m_refinementTriangles[part];
        plain.clear();
        const std::size_t triangles = std::min(m_meshIndices.size() / 3, m_meshAttributes.size());
        for (std::size_t t = 0; t < triangles; ++t) {
            if (m_meshAttributes[t] == static_cast<uint32_t>(part)) {
                const uint16_t* corners = m_meshIndices.data() + t * 3;
                plain.insert(plain.end(), corners, corners + 3);
            }
        }
        VertexRange& range = m_refinementVertexRanges[part];
        range.first = static_cast<int>(m_meshVertices.size());
        int ok = Subdivide(part, before.level, 1);
        range.last = static_cast<int>(m_meshVertices.size()) - 1;
        if (ok == 0) {
            ShowMessage("模型的點或面太多無法產生", PromptButtons::Ok);
        } else {
            ok = RebuildD3DMesh();
        }
        if (ok == 0) {
            // The mesh keeps the plain geometry, and so do the arrays.
            const std::unique_ptr<IOperationProgress> progress =
                OpenProgressWindow({"解除建構中, 請稍候 ...", 1, 1, false});
            UndoRefinement(part);
            RebuildD3DMesh();
            RestoreTextureCoords();
            progress->StepIt();
            return 0;
        }
        RestoreTextureCoords();
        if (toggle != 0) {
            m_refineRecords[part].flag = 1;
        }
    }
    if (recordUndo != 0) {
        auto record = std::make_unique<HistoryRecord>();
        record->count = 1;
        record->objectType = m_type;
        record->operation = kHistoryFaceRefinement;
        record->value = part;
        record->before = RefinementRecord{before.flag, before.level};
        record->after = RefinementRecord{m_refineRecords[part].flag, m_refineRecords[part].level};
        record->object = this;
        GetDocumentServices().PushUndoRecord(std::move(record));
    }
    return 1;
}

int CWallObject::Subdivide(int part, int passes, int showProgress) {
    const int planned = std::clamp(passes, 1, kMaxRefinePasses);
    std::unique_ptr<IOperationProgress> progress;
    if (showProgress != 0) {
        progress = OpenProgressWindow({"細化處理中,請稍待..." + GetName(), planned, 1, false});
    }
    const auto partId = static_cast<uint32_t>(part);
    std::vector<uint16_t> corners;
    for (int pass = 0; pass < planned; ++pass) {
        corners.clear();
        RemovePartTriangles(m_meshIndices, m_meshAttributes, partId, &corners);
        const std::size_t count = corners.size() / 3;
        const std::size_t vertices = m_meshVertices.size();
        const bool fits = m_meshIndices.size() + count * 12 <= kMaxMeshIndices &&
                          vertices + count * 3 <= gfx::kMax16BitVertices &&
                          m_vertexTextureRecords.size() == vertices &&
                          std::all_of(corners.begin(), corners.end(),
                                      [vertices](uint16_t index) { return index < vertices; });
        if (!fits) {
            // The part's triangles go back where a finished pass puts them.
            m_meshIndices.insert(m_meshIndices.end(), corners.begin(), corners.end());
            m_meshAttributes.insert(m_meshAttributes.end(), count, partId);
            return 0;
        }
        if (count == 0) {
            break;
        }
        m_meshVertices.reserve(vertices + count * 3);
        m_vertexTextureRecords.reserve(vertices + count * 3);
        m_meshIndices.reserve(m_meshIndices.size() + count * 12);
        for (std::size_t t = 0; t < count; ++t) {
            const std::array<uint16_t, 3> abc = {corners[t * 3], corners[t * 3 + 1],
                                                 corners[t * 3 + 2]};
            const auto s = static_cast<uint16_t>(m_meshVertices.size());
            for (std::size_t k = 0; k < 3; ++k) {
                const uint16_t from = abc[k];
                const uint16_t to = abc[(k + 1) % 3];
                m_meshVertices.push_back(GetMidVertex(m_meshVertices[from], m_meshVertices[to]));
                const VertexTextureRecord& p = m_vertexTextureRecords[from];
                const VertexTextureRecord& q = m_vertexTextureRecords[to];
                m_vertexTextureRecords.push_back({part, (p.u + q.u) / 2.0f, (p.v + q.v) / 2.0f});
            }
            const uint16_t ab = s;
            const auto bc = static_cast<uint16_t>(s + 1);
            const auto ca = static_cast<uint16_t>(s + 2);
            m_meshIndices.insert(m_meshIndices.end(),
                                 {abc[0], ab, ca, abc[1], bc, ab, abc[2], ca, bc, ab, bc, ca});
        }
        m_meshAttributes.insert(m_meshAttributes.end(), count * 4, partId);
        if (progress) {
            progress->StepIt();
        }
    }
    return 1;
}

void CWallObject::UndoRefinement(int part) {
    if (part < 0 || part >= static_cast<int>(m_refinementTriangles.size()) ||
        part >= static_cast<int>(m_refinementVertexRanges.size())) {
        return;
    }
    const std::vector<int>& plain = m_refinementTriangles[part];
    // A part never refined has nothing to go back to: its triangles are
    // its plain ones.
    if (!plain.empty()) {
        const auto partId = static_cast<uint32_t>(part);
        RemovePartTriangles(m_meshIndices, m_meshAttributes, partId, nullptr);
        for (int value : plain) {
            m_meshIndices.push_back(static_cast<uint16_t>(value & kIndexBits));
        }
        m_meshAttributes.insert(m_meshAttributes.end(), plain.size() / 3, partId);
    }
    VertexRange& range = m_refinementVertexRanges[part];
    const int first = range.first;
    const int last = range.last;
    if (first != 0 && last != 0 && last >= first &&
        static_cast<std::size_t>(last) < m_meshVertices.size()) {
        m_meshVertices.erase(m_meshVertices.begin() + first, m_meshVertices.begin() + last + 1);
        if (static_cast<std::size_t>(last) < m_vertexTextureRecords.size()) {
            m_vertexTextureRecords.erase(m_vertexTextureRecords.begin() + first,
                                         m_vertexTextureRecords.begin() + last + 1);
        }
        ShiftIndicesAfter(first, last - first + 1);
    }
    range = VertexRange{};
}

int CWallObject::FinishRefinement(int /*type*/, int triangle) {
    const int part = GetFaceMaterialIndex(triangle);
    if (part < 0 || part >= m_materialCount) {
        return 0;
    }
    if (ToggleRefinement(part, 1, 1) == 0) {
        return 0;
    }
    // The picked face numbers changed with the mesh.
    IDocumentServices& services = GetDocumentServices();
    services.PickObjectAtCursor();
    SetSelected(0);
    services.Repaint3DView();
    ShowMessage("細化處理完成!", PromptButtons::Ok);
    return 1;
}

void CWallObject::RestoreFaceRefinement(int part, const RefinementRecord& record) {
    if (part < 0 || part >= static_cast<int>(m_refineRecords.size())) {
        return;
    }
    m_refineRecords[part] = RefineRecord{record.flag == 0 ? 1 : 0, record.value};
    ToggleRefinement(part, 1, 0);
}
