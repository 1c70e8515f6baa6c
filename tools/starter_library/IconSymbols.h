#pragma once

#include <string>
#include <vector>

#include "DxfText.h"

// The plan symbols the program looks up in its "2dicon" folder: the
// fallback model symbol, the three light icons and the photo icon.
struct NamedDrawing {
    std::string fileName;
    DxfDrawing drawing;
};

inline constexpr const char* kIconFolder = "2dicon";

std::vector<NamedDrawing> MakeIconSymbols();
