#pragma once

class LibraryOutput;

inline constexpr const char* kManifestFileName = "starter-library-manifest.txt";

// Lists every file written so far, in writing order, with where it comes
// from and its licence, as the last file of the library.
void WriteManifest(LibraryOutput& output);
