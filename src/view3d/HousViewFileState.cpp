#include "view3d/HousViewFileState.h"

#include "view3d/HousViewRenderer.h"

CHousViewFileState::CHousViewFileState(CHousViewRenderer& renderer) : m_renderer(renderer) {}

DesignViewState CHousViewFileState::GetViewState() const {
    const CHousViewCamera& camera = m_renderer.GetCamera();
    const CD3DEngine& engine = m_renderer.GetEngine();
    GridSettings grid;
    engine.GetGridSettings(&grid);

    DesignViewState state;
    state.eye = camera.GetCameraPosition();
    state.direction = camera.GetDirection();
    state.heading = camera.GetCameraHeading();
    state.pitch = camera.GetCameraPitch();
    state.stepLength = camera.GetStepLength();
    state.turnStep = camera.GetTurnStep();
    state.wireframe = m_renderer.IsWireframe() ? 1 : 0;
    state.orthoOn = camera.IsOrthoOn();
    state.gridShown = engine.GetGridShown();
    state.up = camera.GetUp();
    state.grid = {grid.length, grid.width, grid.step,    grid.red,
                  grid.green,  grid.blue,  grid.reserved};
    return state;
}

void CHousViewFileState::ApplyViewState(const DesignViewState& state, const AmbientBytes& ambient) {
    CHousViewCamera& camera = m_renderer.GetCamera();
    camera.SetCameraPosition(state.eye);
    camera.SetCameraAngles(state.heading, state.pitch);
    camera.SetOrthoOn(state.orthoOn);
    m_renderer.SetWireframe(state.wireframe != 0);

    CD3DEngine& engine = m_renderer.GetEngine();
    const DesignGridRecord& record = state.grid;
    const GridSettings grid{record.length, record.width, record.step,    record.red,
                            record.green,  record.blue,  record.reserved};
    engine.SetGridSettings(&grid);
    engine.SetAmbientColor(ambient[0], ambient[1], ambient[2]);
    engine.BuildGrid(grid.length, grid.width, grid.step);
    camera.UpdateCamera();
}
