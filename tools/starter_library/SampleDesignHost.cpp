#include "SampleDesignHost.h"

#include <cmath>

#include "foundation/TextFormat.h"

SampleDesignHost::SampleDesignHost(CDesignScene& scene, gfx::Device& device)
    : m_scene(scene), m_device(device) {}

void SampleDesignHost::SetWallBar(float top, float bottom, float thickness) {
    SetWallBarText(kWallTopEdit, FormatString("%g", top));
    SetWallBarText(kWallBottomEdit, FormatString("%g", bottom));
    SetWallBarText(kWallThicknessEdit, FormatString("%g", thickness));
}

CameraPosition SampleDesignHost::GetCameraPosition() const {
    return {m_state.eye.x, m_state.eye.y, m_state.eye.z};
}

void SampleDesignHost::SetCameraPosition(float x, float y, float z) {
    m_state.eye = {x, y, z};
}

void SampleDesignHost::SetCameraAngles(double heading, double pitch) {
    m_state.heading = static_cast<float>(heading);
    m_state.pitch = static_cast<float>(pitch);
}

std::string SampleDesignHost::GetWallBarText(int controlId) const {
    auto found = m_wallBar.find(controlId);
    return found != m_wallBar.end() ? found->second : std::string();
}

void SampleDesignHost::SetWallBarText(int controlId, std::string_view text) {
    m_wallBar[controlId] = std::string(text);
}
