#pragma once

#include <functional>
#include <memory>
#include <string>

// The seam through which long operations of the model layers show their
// progress: the shell installs a factory that opens the shared progress
// window, tests install one that records. Without a factory the progress
// goes nowhere and the operation runs as it would.

struct ProgressRequest {
    std::string text;
    int range = 0;
    int step = 1;
    // The window offers "中斷"; a confirmed abort raises the active
    // document's abort flag, which the operation polls.
    bool abortButton = false;
};

// One open progress window; it closes when the object goes.
class IOperationProgress {
public:
    virtual ~IOperationProgress() = default;
    // Advances the bar by one step; the program may handle pending events
    // meanwhile.
    virtual void StepIt() = 0;
    // Advances the bar without handling any event, for work during which
    // nothing may be painted or clicked (a device move).
    virtual void StepItNoPump() { StepIt(); }
    // Lets the window paint and take its abort button while one step takes
    // long, without advancing the bar.
    virtual void KeepResponsive() {}
};

using ProgressWindowFactory =
    std::function<std::unique_ptr<IOperationProgress>(const ProgressRequest&)>;

// Never null: without a factory, a window that shows nothing.
std::unique_ptr<IOperationProgress> OpenProgressWindow(const ProgressRequest& request);

void SetProgressWindowFactory(ProgressWindowFactory factory);

// Installs the factory for the lifetime of a scope, restoring the previous
// one afterwards.
class CScopedProgressWindowFactory {
public:
    explicit CScopedProgressWindowFactory(ProgressWindowFactory factory);
    ~CScopedProgressWindowFactory();
    CScopedProgressWindowFactory(const CScopedProgressWindowFactory&) = delete;
    CScopedProgressWindowFactory& operator=(const CScopedProgressWindowFactory&) = delete;

private:
    ProgressWindowFactory m_previous;
};
