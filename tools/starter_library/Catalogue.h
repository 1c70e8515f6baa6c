#pragma once

class LibraryOutput;

// Creates the catalogue "RIr6.db" beside the generated folders: the tables
// with an index on every FileName, one row per model, texture and picture
// made by the library's own folder scans (so the rows are keyed as the
// program reads them), the models' sizes, and the door and window sizes.
// Any message the catalogue code shows fails the output.
void WriteCatalogue(LibraryOutput& output);
