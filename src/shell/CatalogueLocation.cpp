#include "shell/CatalogueLocation.h"

#include <optional>
#include <string>
#include <system_error>

#include "foundation/PathUtils.h"
#include "foundation/ProfileFile.h"
#include "foundation/Prompt.h"
#include "objects/LibraryCatalog.h"

namespace {

constexpr const char* kSection = "Database";

// The catalogue opens a file that is there, or imports the old database of
// the same name beside it.
bool CatalogueFileFound(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error) ||
           std::filesystem::exists(ChangePathExtension(path, "mdb"), error);
}

// The chosen file and its folder (ending in the separator) as the library's
// locations; false when the settings cannot take them.
bool WriteCatalogueLocation(CProfileFile& settings, const std::string& chosen) {
    const std::string folder = std::filesystem::path(chosen).parent_path().string() + "/";
    bool written = settings.SetString(kSection, "LOCALDATABASE", chosen);
    for (const char* key : {"LOCALMODELDIRECTORY", "LOCALTEXTUREDIRECTORY", "LOCALPLANTDIRECTORY",
                            "LOCALTPICTUREDIRECTORY"}) {
        written = settings.SetString(kSection, key, folder) && written;
    }
    return written;
}

}  // namespace

void LocateCatalogueDatabase(const std::filesystem::path& programFolder, CProfileFile& settings) {
    const std::string configured = settings.GetString(kSection, "LOCALDATABASE", "");
    const std::string catalogue =
        configured.empty() ? MakeFilePath(programFolder.string(), CLibraryCatalog::kCatalogFileName)
                           : configured;
    CLibraryCatalog::SetCatalogFilePath(catalogue);
    if (configured.empty() || CatalogueFileFound(catalogue)) {
        return;
    }
    ShowMessage("群組件資料庫(RIr6.mdb)不在目前路徑上!", PromptButtons::Ok, PromptIcon::Warning);
    FileNameRequest request;
    request.title = "請指定正確資料庫位置";
    request.filter = std::string("Model Database File (*.db)|*.db||");
    request.defaultName = CLibraryCatalog::kCatalogFileName;
    request.folder = programFolder.string();
    const std::optional<std::string> chosen = AskFileName(request);
    if (!chosen) {
        return;
    }
    CLibraryCatalog::SetCatalogFilePath(*chosen);
    if (!WriteCatalogueLocation(settings, *chosen)) {
        ShowMessage("資料庫位置無法寫入設定檔。", PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    if (pfs::Result<void> saved = settings.Save(); !saved) {
        ShowMessage(saved.Error(), PromptButtons::Ok, PromptIcon::Error);
    }
}
