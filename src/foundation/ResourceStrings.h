#pragma once

#include <string>

#include "foundation/StringTable.h"

inline constexpr unsigned kProductTitleStringId = 134;

// The program's string tables, set by the shell at start: the built-in table
// and the one of the optional resource folder, which takes precedence.
void SetResourceStringTables(CStringTable builtIn, CStringTable overrides);

// The string from the resource folder's table when it has a text there, else
// from the built-in one; empty when neither has it.
std::string LoadResourceString(unsigned id);

void LoadProductTitle(std::string& title);
