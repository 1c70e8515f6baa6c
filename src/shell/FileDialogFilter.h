#pragma once

#include <string>
#include <string_view>

// The file filters of the prompt seam ("描述 (*.ext)|*.ext||", pairs of a
// description and a pattern list) as the file dialogs take them.

// The filter without its closing "||": the wildcard of a wx file dialog.
// Empty when the filter is.
std::string ToDialogWildcard(std::string_view filter);

// A name chosen in a save dialog without an extension gets the extension of
// the filter's first pattern, when that pattern is a plain "*.ext".
std::string AddDefaultExtension(std::string path, std::string_view filter);
