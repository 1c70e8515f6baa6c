#include "document/DesignScene.h"
#include "objects/3DObject.h"
#include "objects/MeshEdgeRecords.h"

std::vector<OutlineRecord> CDesignScene::BuildMeshEdgeList(const C3DObject& object) {
    const gfx::Mesh* mesh = object.GetMesh();
    return mesh != nullptr ? BuildMeshEdgeRecords(*mesh) : std::vector<OutlineRecord>();
}
