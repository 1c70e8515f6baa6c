#pragma once

#include <string>
#include <string_view>

// Always true: the program's behaviour for the NT family is the one kept.
bool IsWindowsNT();

// The running program's executable path (UTF-8); empty when it cannot be read.
std::string GetModuleFileNameWide();

// fileName in the executable's folder; empty when the executable's path
// cannot be read.
std::string MakeModuleFilePath(std::string_view fileName);
