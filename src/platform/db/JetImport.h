#pragma once

#include <string>

namespace pdb {

// Copies every user table of a Jet database (.mdb, read only) into a new
// SQLite file at dbPath: the same tables and columns in their stored order,
// every row, text columns comparing ignoring case as Jet compares them. Jet 3
// text is taken as CP950. The file at dbPath appears only when the whole copy
// succeeded, and an existing one is never replaced. On failure, error says
// why.
bool ImportJetDatabase(const std::string& mdbPath, const std::string& dbPath, std::string& error);

}  // namespace pdb
