#include "view3d/FatalExit.h"

#include <cstdlib>
#include <utility>

namespace {

FatalExitFunction& InstalledExit() {
    static FatalExitFunction function;
    return function;
}

}  // namespace

void ExitAfterFatalError() {
    if (InstalledExit()) {
        InstalledExit()(kFatalDeviceExitStatus);
        return;
    }
    std::exit(kFatalDeviceExitStatus);
}

void SetFatalExitFunction(FatalExitFunction function) {
    InstalledExit() = std::move(function);
}
