#pragma once

class LibraryOutput;

// Writes the whole starter library, the manifest last.
void WriteStarterLibrary(LibraryOutput& output);
