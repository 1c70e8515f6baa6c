#pragma once

#include <string>

// The furniture browser's "旋轉" box is remembered in the settings file as
// [3DView] PREVIEWTURN; the other keys and lines of the file stay. False,
// with the file as it was, when it could not be written.
bool WritePreviewTurnSetting(const std::string& settingsPath, bool turn);
