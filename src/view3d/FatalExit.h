#pragma once

#include <functional>

// How the process ends when the 3D window cannot get a device at all. The
// message has been shown by then; the exit status tells a launcher that the
// program did not end normally. Tests replace the ending with a recorder.

inline constexpr int kFatalDeviceExitStatus = 1;

using FatalExitFunction = std::function<void(int status)>;

// Calls the installed function with kFatalDeviceExitStatus; std::exit when
// none is installed.
void ExitAfterFatalError();

// An empty function restores std::exit.
void SetFatalExitFunction(FatalExitFunction function);
