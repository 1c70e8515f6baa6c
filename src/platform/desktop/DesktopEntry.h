#pragma once

#include <filesystem>
#include <string>

namespace desktop {

// The desktop entry text with its Exec line starting the given program on
// the chosen file; every other line is kept as it is.
std::string WithExecutable(const std::string& entryText, const std::filesystem::path& program);

// One argument of an Exec line, quoted and escaped as desktop entries ask;
// empty when the path cannot be written there (control characters).
std::string ExecArgument(const std::string& argument);

}  // namespace desktop
