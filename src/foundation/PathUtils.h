#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Path texts split at both '/' and '\': names read from stored files come
// with backslashes ("2dicon\L1.dxf"). A drive is a letter and a colon at the
// start ("C:"). Folders keep their trailing separator.

// Drive and folder: "C:\a\b.dxf" -> "C:\a\", "/x/y.dxf" -> "/x/", "b.dxf" -> "".
std::string GetPathFolder(std::string_view path);

// File name and extension, without drive and folder.
std::string GetPathFileName(std::string_view path);

// The folder, a '/' when it ends in no separator, and the file name.
std::string MakeFilePath(std::string_view folder, std::string_view fileName);

// The path with its extension replaced ("bmp" or ".bmp"); an empty extension
// removes it.
std::string ChangePathExtension(std::string_view path, std::string_view extension);

// True when the text after the name's last '.' equals the extension (given
// without its dot), ignoring ASCII case. A name without a dot has none.
bool HasFileExtension(std::string_view name, std::string_view extension);

// True when a file or folder matches the path. The last component may hold
// the wildcards '*' and '?'; names are matched ignoring ASCII case.
bool FileExists(std::string_view path);

bool PathHasDrive(std::string_view path);

// The file's size in bytes; 0 when it cannot be read.
std::uint64_t GetFileLength(std::string_view path);
