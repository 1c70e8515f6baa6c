#pragma once

#include <memory>

#include "foundation/OperationProgress.h"

// The shared progress window over the program's top window, as the model
// layers' long operations open it.
std::unique_ptr<IOperationProgress> OpenProgressDialog(const ProgressRequest& request);
