#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Values the application object keeps for the whole run and everything reads.

// The half turn as the program computes its angles with it, in float.
float GetPi();

// Set by the shell at start; kept ending with '/'.
void SetProgramFolder(const std::filesystem::path& folder);

// Empty until the shell has set it.
const std::string& GetProgramFolder();

// The program folder followed by the relative name, its backslashes turned to
// '/'; when that file does not exist, the name is looked up ignoring ASCII
// case ("2DIcon\l1.DXF" finds "2dicon/L1.dxf").
std::string GetProgramFilePath(std::string_view relative);
