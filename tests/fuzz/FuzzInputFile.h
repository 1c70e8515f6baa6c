#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

// The scratch folder of this process: fuzzing processes run side by side, so
// each has its own. It goes, with all it holds, when the process ends.
const std::filesystem::path& FuzzScratchFolder();

// Writes the input to a file below the scratch folder, making the folders on
// the way, for the readers that only take a path; returns its full path.
std::filesystem::path WriteFuzzInput(const std::filesystem::path& relative,
                                     const std::uint8_t* data, std::size_t size);
