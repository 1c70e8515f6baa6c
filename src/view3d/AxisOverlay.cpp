#include "view3d/AxisOverlay.h"

#include <algorithm>
#include <cmath>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "foundation/MaterialEmissive.h"
#include "platform/draw/DrawTypes.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"
#include "view3d/3DCamera.h"
#include "view3d/AxisLabelAtlas.h"
#include "view3d/HousViewCamera.h"

namespace {

constexpr float kDistanceAhead = 50.0f;
constexpr float kCornerFraction = 0.95f;
constexpr float kAxisLength = 1.4285714f;
constexpr int kLabelRise = 20;

void DrawOverlayLine(gfx::Device& device, const gfx::Vector3& from, const gfx::Vector3& to,
                     draw::COLORREF color) {
    gfx::Material material;
    SetMaterialEmissive(material, color, 1.0f);
    material.diffuse.a = 1.0f;
    device.SetTransform(gfx::TransformType::World, gfx::MatrixIdentity());
    device.SetMaterial(material);
    device.SetTexture(0, nullptr);
    device.SetFVF(gfx::kFvfXyz);
    const gfx::Vector3 line[2] = {from, to};
    device.DrawPrimitiveUP(gfx::PrimitiveType::LineList, 1, line, sizeof(gfx::Vector3));
}

}  // namespace

bool IsAxisOverlayShown(const CHousDoc& doc) {
    const int mode = doc.GetEditMode();
    return mode != EditMode::kPlanPrint && mode != EditMode::kPrintPreview &&
           doc.GetShowMode() == 0;
}

AxisOverlayPoints ComputeAxisOverlayPoints(const C3DCamera& camera, int viewAngleDegrees,
                                           int windowWidth, int windowHeight) {
    const gfx::Vector3 ahead = camera.GetLookAt() - camera.GetEye();
    const gfx::Vector3 centre = camera.GetEye() + kDistanceAhead * ahead;
    const gfx::Vector3 down = -gfx::Vec3Normalize(camera.GetUp());
    // direction x up points to the left in a left-handed frame.
    const gfx::Vector3 left = gfx::Vec3Normalize(camera.GetSide());
    const int halfAngle = viewAngleDegrees / 2;
    const auto halfHeight =
        static_cast<float>(kDistanceAhead * std::tan(static_cast<double>(halfAngle) * kPi / 180.0));
    const float halfWidth =
        halfHeight * static_cast<float>(windowWidth) / static_cast<float>(windowHeight);

    AxisOverlayPoints points;
    points.origin = centre + kCornerFraction * (halfWidth * left + halfHeight * down);
    points.xEnd = points.origin + gfx::Vector3{kAxisLength, 0.0f, 0.0f};
    points.upEnd = points.origin + gfx::Vector3{0.0f, kAxisLength, 0.0f};
    points.depthEnd = points.origin + gfx::Vector3{0.0f, 0.0f, -kAxisLength};
    return points;
}

void DrawAxisOverlay(gfx::Device& device, const AxisOverlayPoints& points) {
    device.SetRenderState(gfx::RenderState::ZEnable, 0);
    DrawOverlayLine(device, points.origin, points.xEnd, draw::Rgb(255, 0, 0));
    DrawOverlayLine(device, points.origin, points.upEnd, draw::Rgb(0, 0, 255));
    DrawOverlayLine(device, points.origin, points.depthEnd, draw::Rgb(0, 255, 0));
    device.SetRenderState(gfx::RenderState::ZEnable, 1);
}

std::array<AxisLabelSpot, 3> ComputeAxisLabelSpots(const CHousViewCamera& camera,
                                                   const AxisOverlayPoints& points,
                                                   int backBufferWidth, int backBufferHeight) {
    const int windowWidth = std::max(camera.GetWindowWidth(), 1);
    const int windowHeight = std::max(camera.GetWindowHeight(), 1);
    const auto spot = [&](char letter, const gfx::Vector3& end, uint32_t colour) {
        const POINT window = camera.ProjectToWindow(end.x, end.y, end.z);
        return AxisLabelSpot{letter, window.x * backBufferWidth / windowWidth,
                             (window.y - kLabelRise) * backBufferHeight / windowHeight, colour};
    };
    return {spot('x', points.xEnd, 0xFFFF0000u), spot('z', points.upEnd, 0xFF0000FFu),
            spot('y', points.depthEnd, 0xFF00FF00u)};
}

void DrawAxisOverlayWithLabels(gfx::Device& device, CAxisLabelAtlas& labels,
                               const AxisOverlayPoints& points,
                               const std::array<AxisLabelSpot, 3>& spots) {
    for (const AxisLabelSpot& spot : spots) {
        labels.DrawLetter(device, spot.letter, static_cast<float>(spot.left),
                          static_cast<float>(spot.top), spot.colour);
    }
    DrawAxisOverlay(device, points);
}
