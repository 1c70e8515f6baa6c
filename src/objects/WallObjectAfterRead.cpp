#include <array>
#include <cmath>
#include <cstddef>
#include <memory>

#include "objects/WallObjectCutState.h"

void CWallObject::ReCutAllFaces() {
    if (m_faceItems.empty()) {
        return;
    }
    for (int face = 0; face < m_basePartCount; ++face) {
        ReCutFace(face);
    }
    MarkOpeningsApplied();
}

void CWallObject::RestorePartOrder() {
    constexpr float kTolerance = 0.01f;
    for (std::size_t j = 0; j < m_storedPartCentres.size(); ++j) {
        const int part = m_basePartCount + static_cast<int>(j);
        if (part >= m_materialCount) {
            break;
        }
        const std::array<float, 3>& stored = m_storedPartCentres[j];
        const std::array<float, 3> centre = GetPartCentre(part);
        bool differs = false;
        for (std::size_t axis = 0; axis < 3; ++axis) {
            differs = differs || !(std::fabs(centre[axis] - stored[axis]) <= kTolerance);
        }
        if (!differs) {
            continue;
        }
        const int found = FindPartByCentre(stored[0], stored[1], stored[2]);
        if (found > 0) {
            SwapParts(part, found, 0);
        }
    }
}

int CWallObject::RebuildAfterRead() {
    if (m_faceItems.empty()) {
        return 0;
    }
    const std::unique_ptr<CutState> uncut = SaveCutState();
    ReCutAllFaces();
    RestorePartOrder();
    if (RebuildD3DMesh() == 0) {
        // The faces stay as built and the items as read, to be written back.
        RestoreCutState(*uncut, -1);
        m_uncutItems.clear();
        return 1;
    }
    RestoreTextureCoords();
    return 0;
}
