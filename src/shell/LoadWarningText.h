#pragma once

#include <string>
#include <string_view>

// The line of the load warning: the format's first "%s" replaced by the file
// name of the path (after its last '\' or '/'; the whole path when it has
// none). The path's text is never read as a format.
std::string FormatLoadWarning(std::string_view format, std::string_view path);
