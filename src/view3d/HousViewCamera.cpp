#include "view3d/HousViewCamera.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"
#include "view3d/3DCamera.h"
#include "view3d/CameraPose.h"
#include "view3d/SceneCameraLink.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr int kMinViewAngle = 30;
constexpr int kMaxViewAngle = 90;
constexpr float kMinFarDistance = 1000.0f;
constexpr float kNearPlane = 1.0f;
// A pick during a placement that misses the view lands here.
constexpr float kOffViewX = -100.0f;
// Below this the ray runs along the plane.
constexpr float kParallelEpsilon = 1e-6f;

// Heading and pitch of each preset, in units of pi.
struct PresetAngles {
    double heading;
    double pitch;
};
constexpr PresetAngles kPresetAngles[] = {
    {0.0, 0.0}, {0.0, 0.0},   {1.0, 0.0},   {0.5, 0.0},   {1.5, 0.0},   {0.0, 0.5},
    {0.0, 1.5}, {0.25, 0.25}, {1.75, 0.25}, {0.75, 0.25}, {1.25, 0.25},
};
constexpr int kPresetCount = static_cast<int>(std::size(kPresetAngles));

float Component(const gfx::Vector3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

}  // namespace

CHousViewCamera::CHousViewCamera(C3DCamera& camera, CHousDoc& doc) : m_camera(camera), m_doc(doc) {}

void CHousViewCamera::SetWindowSize(int width, int height) {
    m_windowWidth = width;
    m_windowHeight = height;
}

void CHousViewCamera::SetCameraAngles(double heading, double pitch) {
    const double sinH = std::sin(heading);
    const double cosH = std::cos(heading);
    const double sinP = std::sin(pitch);
    const double cosP = std::cos(pitch);
    m_direction = {static_cast<float>(sinH * cosP), static_cast<float>(-sinP),
                   static_cast<float>(cosH * cosP)};
    m_up = {static_cast<float>(sinH * sinP), static_cast<float>(cosP),
            static_cast<float>(cosH * sinP)};
    m_heading = static_cast<float>(NormalizeRadians(heading));
    double normalizedPitch = NormalizeRadians(pitch);
    if (normalizedPitch > kPi) {
        normalizedPitch -= kTwoPi;
    }
    m_pitch = static_cast<float>(normalizedPitch);
}

void CHousViewCamera::UpdateCamera() {
    m_camera.SetView(m_eye, m_eye + m_direction, m_up);
    if (m_pScene != nullptr) {
        m_pScene->OnCameraMoved(m_heading, m_pitch, m_eye);
    }
}

gfx::Vector3 CHousViewCamera::GetCameraPosition() const {
    return m_camera.GetEye();
}

void CHousViewCamera::SetCameraPosition(const gfx::Vector3& position) {
    m_eye = position;
    m_camera.SetView(m_eye, m_eye + m_direction, m_up);
}

void CHousViewCamera::GetCameraPose(CameraPose* out) const {
    const gfx::Vector3 eye = GetCameraPosition();
    *out = CameraPose{0, m_heading, m_pitch, eye.x, eye.y, eye.z};
}

void CHousViewCamera::SetCameraPose(const CameraPose* pose) {
    SetCameraPosition({pose->x, pose->y, pose->z});
    SetCameraAngles(pose->heading, pose->pitch);
    m_camera.SetView(m_eye, m_eye + m_direction, m_up);
}

void CHousViewCamera::ResetCamera() {
    m_eye = kResetEye;
    m_direction = {0.0f, 0.0f, 1.0f};
    m_up = {0.0f, 1.0f, 0.0f};
    m_heading = 0.0f;
    m_pitch = 0.0f;
    m_stepLength = 1.0f;
    m_turnStep = 0.5f;
    m_orthoOn = 0;
    m_orthoSize = kDefaultOrthoSize;
    SetCameraAngles(0.0, 0.0);
}

int CHousViewCamera::GetViewAngle(const HousSettings& settings) {
    return std::clamp(settings.viewAngle, kMinViewAngle, kMaxViewAngle);
}

void CHousViewCamera::UpdateProjection(const HousSettings& settings) {
    const float fov = static_cast<float>(GetViewAngle(settings)) * kDegreesToRadians;
    float farDistance = settings.farShow3DDistance;
    if (!std::isfinite(farDistance) || farDistance < kMinFarDistance) {
        farDistance = kMinFarDistance;
    }
    const float aspect = static_cast<float>(m_windowWidth) / static_cast<float>(m_windowHeight);
    m_camera.SetProjection(fov, aspect, kNearPlane, farDistance, static_cast<float>(m_orthoSize));
}

void CHousViewCamera::GetPresetBounds(gfx::Vector3* min, gfx::Vector3* max) const {
    if (m_pScene != nullptr &&
        (m_pScene->GetSelectionBounds(min, max) || m_pScene->GetSceneBounds(min, max))) {
        return;
    }
    // An empty scene frames the ground that the grid covers.
    const HousSettings& settings = m_doc.Settings();
    *min = {0.0f, 0.0f, -static_cast<float>(settings.width)};
    *max = {static_cast<float>(settings.length), 0.0f, 0.0f};
}

void CHousViewCamera::SetOrthoView(int preset) {
    if (preset < 0 || preset >= kPresetCount) {
        return;
    }
    if (m_orthoOn == 0) {
        SavePerspectiveCamera();
    }
    m_preset = preset;

    gfx::Vector3 min;
    gfx::Vector3 max;
    GetPresetBounds(&min, &max);
    const gfx::Vector3 centre = (min + max) / 2.0f;
    const float hx = centre.x - min.x;
    const float hy = centre.y - min.y;
    const float hz = centre.z - min.z;
    const float h = std::max({hx, hy, hz});

    gfx::Vector3 eye = m_eye;
    double heading = m_heading;
    double pitch = m_pitch;
    if (preset != 0) {
        eye = centre;
        heading = kPi * kPresetAngles[preset].heading;
        pitch = kPi * kPresetAngles[preset].pitch;
    }

    int size = RoundToInt(std::pow(static_cast<double>(h), 0.96) * 5.5);
    const int frontSize = hy < hx ? 2 * TruncateToInt(hx) : TruncateToInt(hy * 2.2);
    const int sideSize = hy > hz ? TruncateToInt(hy * 2.2) : 2 * TruncateToInt(hz);
    const int topSize = hz < hx ? 2 * TruncateToInt(hx) : TruncateToInt(hz * 2.2);
    switch (preset) {
        case 1:
            eye.z = centre.z - 2.0f * hz;
            size = frontSize;
            break;
        case 2:
            eye.z = centre.z + 2.0f * hz;
            size = frontSize;
            break;
        case 3:
            eye.x = centre.x - 2.0f * hx;
            size = sideSize;
            break;
        case 4:
            eye.x = centre.x + 2.0f * hx;
            size = sideSize;
            break;
        case 5:
            eye.y = centre.y + 2.0f * hy + 10.0f;
            size = topSize;
            break;
        case 6:
            eye.y = centre.y - 2.0f * hy - 10.0f;
            size = topSize;
            break;
        case 7:
            eye = centre + gfx::Vector3{-2.0f * h, 2.0f * h, -2.0f * h};
            break;
        case 8:
            eye = centre + gfx::Vector3{2.0f * h, 2.0f * h, -2.0f * h};
            break;
        case 9:
            eye = centre + gfx::Vector3{-2.0f * h, 2.0f * h, 2.0f * h};
            break;
        case 10:
            eye = centre + gfx::Vector3{2.0f * h, 2.0f * h, 2.0f * h};
            break;
        default:
            break;
    }
    // A flat or point-sized box gives no height to show: the orthographic
    // matrix would divide by zero.
    m_orthoSize = size > 0 ? size : kDefaultOrthoSize;

    SetCameraPosition(eye);
    SetCameraAngles(heading, pitch);
    UpdateCamera();
    m_orthoOn = 1;
    m_camera.SetProjectionKind(1);
}

void CHousViewCamera::RestorePerspective() {
    m_heading = m_savedHeading;
    m_pitch = m_savedPitch;
    m_eye = m_savedEye;
    SetCameraAngles(m_heading, m_pitch);
    m_camera.SetView(m_eye, m_eye + m_direction, m_up);
}

void CHousViewCamera::SavePerspectiveCamera() {
    m_savedEye = m_eye;
    m_savedHeading = m_heading;
    m_savedPitch = m_pitch;
}

void CHousViewCamera::BeginOrthoPan() {
    m_panOrigin = m_camera.GetEye();
    m_panDirection = m_camera.GetLookAt() - m_camera.GetEye();
    m_panUp = m_camera.GetUp();
}

void CHousViewCamera::PanOrtho(float across, float upward) {
    m_eye = m_panOrigin + across * gfx::Vec3Normalize(gfx::Vec3Cross(m_panDirection, m_panUp)) +
            upward * gfx::Vec3Normalize(m_panUp);
    m_camera.SetView(m_eye, m_eye + m_direction, m_up);
}

POINT CHousViewCamera::ProjectToWindow(float x, float y, float z) const {
    const gfx::Vector4 p =
        gfx::Vec3Transform({x, y, z}, m_camera.GetView() * m_camera.GetProjection());
    const int halfWidth = m_windowWidth / 2;
    const int halfHeight = m_windowHeight / 2;
    const float windowX = static_cast<float>(halfWidth) + static_cast<float>(halfWidth) * p.x / p.w;
    const float windowY =
        static_cast<float>(halfHeight) - static_cast<float>(halfHeight) * p.y / p.w;
    return POINT{TruncateToInt(windowX), TruncateToInt(windowY)};
}

gfx::Vector3 CHousViewCamera::UnprojectToPlane(POINT windowPoint, int axis, int value) const {
    const gfx::Matrix& projection = m_camera.GetProjection();
    const gfx::Vector3 cameraRay = {
        (2.0f * static_cast<float>(windowPoint.x) / static_cast<float>(m_windowWidth) - 1.0f) /
            projection.m[0][0],
        -(2.0f * static_cast<float>(windowPoint.y) / static_cast<float>(m_windowHeight) - 1.0f) /
            projection.m[1][1],
        1.0f};
    const gfx::Matrix inverse =
        gfx::MatrixInverse(m_camera.GetView()).value_or(gfx::MatrixIdentity());
    const gfx::Vector3 d = gfx::Vec3TransformNormal(cameraRay, inverse);
    const gfx::Vector3 o = {inverse.m[3][0], inverse.m[3][1], inverse.m[3][2]};

    float t = 0.0f;
    if (axis >= 0 && axis <= 2 && std::fabs(Component(d, axis)) >= kParallelEpsilon) {
        t = (static_cast<float>(value) - Component(o, axis)) / Component(d, axis);
    }
    gfx::Vector3 hit = o + t * d;
    if (t <= 0.0f && m_doc.GetPlacement().inProgress != 0) {
        hit.x = kOffViewX;
    }
    return hit;
}
