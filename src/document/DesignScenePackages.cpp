#include <array>
#include <cmath>
#include <filesystem>
#include <list>
#include <map>
#include <span>
#include <system_error>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "objects/3DObject.h"
#include "objects/ModelPackageWriter.h"
#include "platform/fs/RegularFile.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr float kSameNormalTolerance = 0.1f;

constexpr const char* kMeshUnreadableMessage = "無法讀取模型網格暫存檔：";
constexpr const char* kPackageUnwrittenMessage = "無法寫入模型檔：";

bool SameEnds(const OutlineRecord& a, const OutlineRecord& b) {
    return (a.pointA == b.pointA && a.pointB == b.pointB) ||
           (a.pointA == b.pointB && a.pointB == b.pointA);
}

bool NearNormal(const gfx::Vector3& a, const gfx::Vector3& b) {
    return std::abs(a.x - b.x) <= kSameNormalTolerance &&
           std::abs(a.y - b.y) <= kSameNormalTolerance &&
           std::abs(a.z - b.z) <= kSameNormalTolerance;
}

// Adds a triangle's edges to its group's outline: an edge another face of
// the group already brought, facing the same way, is inner and leaves the
// list instead. With earlyStop the walk ends at the first such edge, which
// keeps large models fast at the price of an inner edge kept now and then.
void CollectGroupEdges(const std::array<gfx::Vector3, 3>& triangle, const gfx::Vector3& normal,
                       std::list<OutlineRecord>& edges, bool earlyStop) {
    const std::array<OutlineRecord, 3> added = {OutlineRecord{triangle[0], triangle[1], normal},
                                                OutlineRecord{triangle[1], triangle[2], normal},
                                                OutlineRecord{triangle[2], triangle[0], normal}};
    std::array<bool, 3> matched{};
    for (auto listed = edges.begin(); listed != edges.end();) {
        bool removed = false;
        for (std::size_t i = 0; i < added.size() && !removed; ++i) {
            if (!matched[i] && SameEnds(*listed, added[i]) &&
                NearNormal(listed->facing, added[i].facing)) {
                matched[i] = true;
                removed = true;
            }
        }
        if (!removed) {
            ++listed;
            continue;
        }
        listed = edges.erase(listed);
        if (earlyStop) {
            break;
        }
    }
    for (std::size_t i = 0; i < added.size(); ++i) {
        if (!matched[i]) {
            edges.push_back(added[i]);
        }
    }
}

}  // namespace

std::vector<OutlineRecord> CDesignScene::BuildMaterialEdgeList(const gfx::Mesh& mesh,
                                                               bool earlyStop) {
    std::vector<OutlineRecord> records;
    if (mesh.GetNumFaces() == 0 || !mesh.IndicesInRange()) {
        return records;
    }
    gfx::Vector3 min;
    gfx::Vector3 max;
    mesh.ComputeBoundingBox(min, max);
    // Records measure height from the middle of the mesh box.
    const gfx::Vector3 lower = {0.0f, (max.y - min.y) / 2.0f, 0.0f};
    // The faces of each material, in face order.
    std::map<uint32_t, std::list<OutlineRecord>> groups;
    const std::span<const uint32_t> attributes = mesh.Attributes();
    for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
        const std::array<uint32_t, 3> corners = mesh.GetFace(face);
        const std::array<gfx::Vector3, 3> triangle = {mesh.GetPosition(corners[0]) - lower,
                                                      mesh.GetPosition(corners[1]) - lower,
                                                      mesh.GetPosition(corners[2]) - lower};
        const gfx::Vector3 normal = gfx::Vec3Normalize(
            gfx::Vec3Cross(triangle[1] - triangle[0], triangle[2] - triangle[0]));
        CollectGroupEdges(triangle, normal, groups[attributes[face]], earlyStop);
    }
    for (const auto& [attribute, edges] : groups) {
        records.insert(records.end(), edges.begin(), edges.end());
    }
    return records;
}

bool CDesignScene::WritePackagedModel(const std::string& outputPath, const std::string& meshPath,
                                      const std::vector<PackagedTexture>& textureRecords,
                                      const gfx::Mesh& mesh) const {
    pfs::Result<std::string> meshFile = pfs::ReadWholeFile(meshPath, pfs::kBinaryFileLimit);
    std::error_code ignored;
    std::filesystem::remove(meshPath, ignored);
    if (!meshFile) {
        ShowMessage(kMeshUnreadableMessage + meshFile.Error(), PromptButtons::Ok,
                    PromptIcon::Error);
        return false;
    }

    PackagedModelContents contents;
    contents.name = PackageNameOfPath(outputPath);
    const C3DObject* picked = m_pDoc != nullptr ? m_pDoc->GetPickedObject() : nullptr;
    if (picked != nullptr) {
        contents.webLink = picked->GetWebLink();
    }
    contents.mesh.assign(meshFile.Value().begin(), meshFile.Value().end());
    contents.textures = textureRecords;
    contents.edges = BuildMaterialEdgeList(mesh, true);

    std::string error;
    if (!WriteModelPackage(outputPath, contents, &error)) {
        ShowMessage(kPackageUnwrittenMessage + outputPath + "\n" + error, PromptButtons::Ok,
                    PromptIcon::Error);
        return false;
    }
    return true;
}
