#pragma once

// The select of one row by its key, per table; the key goes in with its
// quotes doubled.
inline constexpr const char* kSelectModelRow = "select * from QVXModels where FileName='%s'";
inline constexpr const char* kSelectTextureRow = "select * from Maps where FileName='%s'";
inline constexpr const char* kSelectPictureRow = "select * from TMaps where FileName='%s'";
