#include "view3d/3DCamera.h"

#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr float kDefaultFov = 0.7853982f;
constexpr float kDefaultFar = 15000.0f;
constexpr float kDefaultOrthoSize = 100.0f;

}  // namespace

C3DCamera::C3DCamera() {
    SetView({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f});
    SetProjection(kDefaultFov, 1.0f, 1.0f, kDefaultFar, kDefaultOrthoSize);
}

void C3DCamera::SetView(const gfx::Vector3& eye, const gfx::Vector3& lookAt,
                        const gfx::Vector3& up) {
    m_eye = eye;
    m_lookAt = lookAt;
    m_up = up;
    m_direction = gfx::Vec3Normalize(lookAt - eye);
    m_side = gfx::Vec3Cross(m_direction, up);
    m_view = gfx::MatrixLookAtLH(eye, lookAt, up);
    // A degenerate view has no inverse; the last rotation stays.
    if (const auto inverse = gfx::MatrixInverse(m_view)) {
        m_inverseView = *inverse;
        m_inverseView.m[3][0] = 0.0f;
        m_inverseView.m[3][1] = 0.0f;
        m_inverseView.m[3][2] = 0.0f;
    }
}

void C3DCamera::SetProjection(float fov, float aspect, float zNear, float zFar, float orthoSize) {
    m_fov = fov;
    m_aspect = aspect;
    m_near = zNear;
    m_far = zFar;
    if (m_projectionKind != 0) {
        m_projection = gfx::MatrixOrthoLH(orthoSize / fov, orthoSize, zNear, zFar);
    } else {
        m_projection = gfx::MatrixPerspectiveFovLH(fov, aspect, zNear, zFar);
    }
}
