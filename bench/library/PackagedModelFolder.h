#pragma once

// A library folder of packaged models written by the program's own package
// writer: the same small mesh and 128 x 96 preview under varied furniture
// names, model numbers and prices.

#include <filesystem>
#include <string>

// Writes count packages into folder (created when missing); false, with the
// reason in *error, when one cannot be written.
bool WritePackagedModelFolder(const std::filesystem::path& folder, int count, std::string* error);
