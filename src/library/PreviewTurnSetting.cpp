#include "library/PreviewTurnSetting.h"

#include "foundation/ProfileFile.h"

bool WritePreviewTurnSetting(const std::string& settingsPath, bool turn) {
    pfs::Result<CProfileFile> profile = CProfileFile::Open(settingsPath);
    if (!profile) {
        return false;
    }
    profile.Value().SetInt("3DView", "PREVIEWTURN", turn ? 1 : 0);
    return static_cast<bool>(profile.Value().Save());
}
