#include "document/DesignOpened.h"

#include <filesystem>

#include "document/HousDoc.h"
#include "document/ShowCatalog.h"
#include "foundation/ProfileFile.h"
#include "foundation/Prompt.h"
#include "platform/fs/StoredPath.h"
#include "platform/fs/UserFolders.h"

namespace {

bool IsInCatalog(CHousDoc& document, const char* subfolder, const char* pattern) {
    return UpdateShowCatalog(document, {document.GetProgramFolder() + subfolder, pattern,
                                        ShowCatalogRequest::kLoad, ""}) != 0;
}

}  // namespace

void StoreProjectDirectory(CHousDoc& document) {
    const std::string folder =
        pfs::WithTrailingSlash(std::filesystem::path(document.GetDesignPath()).parent_path());
    document.SetProjectDirectory(folder);
    const std::string settingsPath = document.GetProgramFolder() + CHousDoc::kSettingsFileName;
    pfs::Result<CProfileFile> profile = CProfileFile::Open(settingsPath);
    if (profile &&
        profile.Value().SetString("General", "PROJECT_DIRECTORY", pfs::ToStoredPath(folder))) {
        if (const pfs::Result<void> saved = profile.Value().Save(); saved) {
            return;
        }
    }
    ShowMessage("無法將設計案資料夾寫入設定檔「" + settingsPath + "」。", PromptButtons::Ok,
                PromptIcon::Warning);
}

void OnDesignOpened(CHousDoc& document, IDesignOpenedHost& host) {
    if (IsInCatalog(document, "Show/", "*.ini")) {
        host.OnShowMode();
    } else {
        if (!IsInCatalog(document, "Mydesign/", "S*_SHOW.ini")) {
            IsInCatalog(document, "Mydesign/", "NonGroup.ini");
        }
        host.OnEditMode();
    }
    if (document.Settings().autoPlayMusic != 0) {
        host.PlayBackgroundMusic();
    }
    host.SetFrameTitle(document.GetDesignPath());
    host.LoadViewPointsFromBlock();
    host.LoadBrowseRecording();
    document.SetDesignModified(0);
    StoreProjectDirectory(document);
    host.AddToRecentFileList(document.GetDesignPath());
}
