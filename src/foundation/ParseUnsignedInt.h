#pragma once

#include <string_view>

// True, with the value in out, when text is not empty and holds only the
// digits 0 to 9; out is left alone otherwise. Values past the int range give
// the int maximum.
bool ParseUnsignedInt(std::string_view text, int& out);
