#include "shell/LoadWarningText.h"

#include "foundation/PathUtils.h"

std::string FormatLoadWarning(std::string_view format, std::string_view path) {
    const std::string name = GetPathFileName(path);
    std::string text(format);
    if (const std::size_t slot = text.find("%s"); slot != std::string::npos) {
        text.replace(slot, 2, name);
    }
    return text;
}
