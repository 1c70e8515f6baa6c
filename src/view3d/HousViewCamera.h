#pragma once

#include "foundation/WinTypes.h"
#include "platform/gfx/MathTypes.h"

class C3DCamera;
class CHousDoc;
class ISceneCameraLink;
struct CameraPose;
struct HousSettings;

// The 3D view's own navigation state (eye, direction, heading, pitch, step
// sizes, orthographic presets and panning) and the operations on it. It
// pushes its state into the engine's camera whenever that changes.
// Conventions: heading 0 looks along +z and grows toward +x; pitch > 0
// looks down; radians.
class CHousViewCamera {
public:
    static constexpr int kDefaultOrthoSize = 100;
    // The start pose's eye; also the saved perspective eye until a preset
    // saves the real one.
    static constexpr gfx::Vector3 kResetEye = {400.0f, 150.0f, -800.0f};

    CHousViewCamera(C3DCamera& camera, CHousDoc& doc);

    // The scene store, once there is one: its boxes frame the presets and it
    // hears of every camera move.
    void SetSceneLink(ISceneCameraLink* scene) { m_pScene = scene; }
    void SetWindowSize(int width, int height);
    [[nodiscard]] int GetWindowWidth() const { return m_windowWidth; }
    [[nodiscard]] int GetWindowHeight() const { return m_windowHeight; }

    // Turns the look direction and up vector; the heading is kept in
    // [0, 2 pi) and the pitch in (-pi, pi]. The camera is not rebuilt.
    void SetCameraAngles(double heading, double pitch);
    void UpdateCamera();
    [[nodiscard]] gfx::Vector3 GetCameraPosition() const;
    [[nodiscard]] float GetCameraHeading() const { return m_heading; }
    [[nodiscard]] float GetCameraPitch() const { return m_pitch; }
    void SetCameraPosition(const gfx::Vector3& position);
    void GetCameraPose(CameraPose* out) const;
    void SetCameraPose(const CameraPose* pose);
    [[nodiscard]] const gfx::Vector3& GetDirection() const { return m_direction; }
    [[nodiscard]] const gfx::Vector3& GetUp() const { return m_up; }
    [[nodiscard]] float GetStepLength() const { return m_stepLength; }
    [[nodiscard]] float GetTurnStep() const { return m_turnStep; }

    // Back to the start pose in perspective.
    void ResetCamera();

    // Projection for the next frame from VIEW_ANGLE (brought into 30..90
    // degrees) and FAR_SHOW_3D_DISTANCE (at least 1000), near plane 1.
    void UpdateProjection(const HousSettings& settings);
    // VIEW_ANGLE in whole degrees as the projection takes it.
    [[nodiscard]] static int GetViewAngle(const HousSettings& settings);

    // Orthographic presets: 0 current, 1 front, 2 back, 3 left, 4 right,
    // 5 top, 6 bottom, 7 south-west, 8 south-east, 9 north-west,
    // 10 north-east. They frame the selection, else the scene, else the
    // ground. Other numbers change nothing.
    void SetOrthoView(int preset);
    void RestorePerspective();
    void SavePerspectiveCamera();
    [[nodiscard]] int IsOrthoOn() const { return m_orthoOn; }
    void SetOrthoOn(int on) { m_orthoOn = on; }
    [[nodiscard]] int GetOrthoSize() const { return m_orthoSize; }
    void SetOrthoSize(int size) { m_orthoSize = size; }
    [[nodiscard]] int GetPreset() const { return m_preset; }

    void BeginOrthoPan();
    void PanOrtho(float across, float upward);

    // Window pixel of a world point through the last view and projection.
    [[nodiscard]] POINT ProjectToWindow(float x, float y, float z) const;
    // Where the ray through a window pixel meets the plane x (axis 0),
    // y (1) or z (2) = value. A ray parallel to the plane meets it nowhere:
    // the eye is returned. With no hit in front of the camera while a
    // library entry is being placed, x is -100 (outside the visible area).
    [[nodiscard]] gfx::Vector3 UnprojectToPlane(POINT windowPoint, int axis, int value) const;

private:
    void GetPresetBounds(gfx::Vector3* min, gfx::Vector3* max) const;

    C3DCamera& m_camera;
    CHousDoc& m_doc;
    ISceneCameraLink* m_pScene = nullptr;

    gfx::Vector3 m_eye;
    gfx::Vector3 m_direction;
    float m_heading = 0.0f;
    float m_pitch = 0.0f;
    float m_stepLength = 0.0f;
    float m_turnStep = 0.0f;
    int m_orthoOn = 0;
    int m_windowWidth = 0;
    int m_windowHeight = 0;
    gfx::Vector3 m_up;
    gfx::Vector3 m_savedEye = kResetEye;
    float m_savedHeading = 0.0f;
    float m_savedPitch = 0.0f;
    gfx::Vector3 m_panOrigin;
    gfx::Vector3 m_panDirection;
    gfx::Vector3 m_panUp;
    int m_orthoSize = 0;
    int m_preset = 0;
};
