#pragma once

#include <optional>
#include <string>

// The select of one row by its key, per table; the key is bound to the
// parameter.
inline constexpr const char* kSelectModelRow = "select * from QVXModels where FileName=?";
inline constexpr const char* kSelectTextureRow = "select * from Maps where FileName=?";
inline constexpr const char* kSelectPictureRow = "select * from TMaps where FileName=?";

// An empty optional text is stored as NULL.
inline std::optional<std::string> TextOrNull(const std::string& text) {
    return text.empty() ? std::nullopt : std::optional<std::string>(text);
}
