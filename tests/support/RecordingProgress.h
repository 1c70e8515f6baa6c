#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "foundation/OperationProgress.h"

// Stands in for the progress windows while it lives: every window opened
// is recorded with its steps and whether it has closed. onStep runs at each
// step, as the user acting while a real window pumps events; onKeepResponsive
// likewise while one long step lets the window handle events.
class RecordingProgress {
public:
    struct Window {
        ProgressRequest request;
        int steps = 0;
        int responsiveCalls = 0;
        bool closed = false;
    };

    RecordingProgress()
        : m_scope([this](const ProgressRequest& request) -> std::unique_ptr<IOperationProgress> {
              windows.push_back({request});
              return std::make_unique<Open>(*this, windows.size() - 1);
          }) {}

    std::vector<Window> windows;
    std::function<void(const Window&)> onStep;
    std::function<void(const Window&)> onKeepResponsive;

private:
    class Open : public IOperationProgress {
    public:
        Open(RecordingProgress& owner, std::size_t index) : m_owner(owner), m_index(index) {}
        ~Open() override { m_owner.windows[m_index].closed = true; }
        void StepIt() override {
            Window& window = m_owner.windows[m_index];
            ++window.steps;
            if (m_owner.onStep) {
                m_owner.onStep(window);
            }
        }
        void KeepResponsive() override {
            Window& window = m_owner.windows[m_index];
            ++window.responsiveCalls;
            if (m_owner.onKeepResponsive) {
                m_owner.onKeepResponsive(window);
            }
        }

    private:
        RecordingProgress& m_owner;
        std::size_t m_index;
    };

    CScopedProgressWindowFactory m_scope;
};
