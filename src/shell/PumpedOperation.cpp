#include "shell/PumpedOperation.h"

#include <wx/event.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct DeferredTimer {
    // The handler may go away before the operation ends.
    wxWeakRef<wxEvtHandler> handler;
    std::unique_ptr<wxEvent> event;
};

int g_runningOperations = 0;
std::vector<DeferredTimer> g_deferredTimers;

}  // namespace

CPumpedOperation::CPumpedOperation(wxWindow* progressWindow) : m_disabler(progressWindow) {
    ++g_runningOperations;
}

CPumpedOperation::~CPumpedOperation() {
    if (--g_runningOperations > 0) {
        return;
    }
    // Queued, not handled here: the operation's caller is still on the stack.
    std::vector<DeferredTimer> deferred = std::exchange(g_deferredTimers, {});
    for (DeferredTimer& timer : deferred) {
        if (wxEvtHandler* handler = timer.handler.get()) {
            handler->QueueEvent(timer.event.release());
        }
    }
}

bool CPumpedOperation::IsRunning() {
    return g_runningOperations > 0;
}

bool CPumpedOperation::DeferTimer(wxEvtHandler& handler, const wxTimerEvent& event) {
    if (!IsRunning()) {
        return false;
    }
    // A timer that fires again while it waits still comes back only once.
    const bool waiting =
        std::any_of(g_deferredTimers.begin(), g_deferredTimers.end(), [&](const DeferredTimer& t) {
            return t.handler.get() == &handler && t.event->GetId() == event.GetId();
        });
    if (!waiting) {
        g_deferredTimers.push_back({&handler, std::unique_ptr<wxEvent>(event.Clone())});
    }
    return true;
}
