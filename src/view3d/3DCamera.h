#pragma once

#include "platform/gfx/MathTypes.h"

// View and projection of one 3D window: eye, look-at point and up vector
// with the matrices derived from them, and a perspective or orthographic
// projection. Left-handed, y up.
class C3DCamera {
public:
    // Eye at the origin looking along +z, perspective of pi/4, aspect 1,
    // near 1, far 15000.
    C3DCamera();

    void SetView(const gfx::Vector3& eye, const gfx::Vector3& lookAt, const gfx::Vector3& up);
    // The orthographic volume is orthoSize high and orthoSize / fov wide:
    // the width follows the field of view, not the aspect.
    void SetProjection(float fov, float aspect, float zNear, float zFar, float orthoSize);

    // 0 perspective, anything else orthographic; applies from the next
    // SetProjection.
    [[nodiscard]] int GetProjectionKind() const { return m_projectionKind; }
    void SetProjectionKind(int kind) { m_projectionKind = kind; }

    [[nodiscard]] const gfx::Vector3& GetEye() const { return m_eye; }
    [[nodiscard]] const gfx::Vector3& GetLookAt() const { return m_lookAt; }
    [[nodiscard]] const gfx::Vector3& GetUp() const { return m_up; }
    // Unit vector from the eye to the look-at point.
    [[nodiscard]] const gfx::Vector3& GetDirection() const { return m_direction; }
    // direction x up, not normalised.
    [[nodiscard]] const gfx::Vector3& GetSide() const { return m_side; }
    [[nodiscard]] const gfx::Matrix& GetView() const { return m_view; }
    // The camera's rotation only: the inverse view without its translation.
    [[nodiscard]] const gfx::Matrix& GetInverseView() const { return m_inverseView; }
    [[nodiscard]] float GetFieldOfView() const { return m_fov; }
    [[nodiscard]] float GetAspect() const { return m_aspect; }
    [[nodiscard]] float GetNear() const { return m_near; }
    [[nodiscard]] float GetFar() const { return m_far; }
    [[nodiscard]] const gfx::Matrix& GetProjection() const { return m_projection; }

private:
    int m_projectionKind = 0;
    gfx::Vector3 m_eye;
    gfx::Vector3 m_lookAt;
    gfx::Vector3 m_up;
    gfx::Vector3 m_direction;
    gfx::Vector3 m_side;
    gfx::Matrix m_view;
    gfx::Matrix m_inverseView;
    float m_fov = 0.0f;
    float m_aspect = 0.0f;
    float m_near = 0.0f;
    float m_far = 0.0f;
    gfx::Matrix m_projection;
};
