#include "document/ShowEntryOnSave.h"

#include <filesystem>
#include <utility>

#include "document/HousDoc.h"
#include "document/ShowCatalog.h"
#include "document/ShowGroupFile.h"

namespace {

int Run(CHousDoc& document, const std::string& subfolder, const char* pattern, int operation) {
    return UpdateShowCatalog(document,
                             {document.GetProgramFolder() + subfolder, pattern, operation, ""});
}

}  // namespace

std::optional<ShowEntrySavePlan> UpdateShowEntryOnSave(const CHousDoc& document, int askName,
                                                       IDesignSaveChooser& chooser) {
    if (askName != 0) {
        return ShowEntrySavePlan{document.GetDesignPath(), std::nullopt,
                                 document.GetDesignModified() != 0};
    }
    const std::string title = std::filesystem::path(document.GetDesignPath()).stem().string();
    std::optional<DesignSaveChoice> choice =
        chooser.ChooseDesignFile(title, document.GetProjectDirectory());
    if (!choice) {
        return std::nullopt;
    }
    return ShowEntrySavePlan{choice->path, std::move(choice), false};
}

void CommitShowEntryOnSave(CHousDoc& document, const ShowEntrySavePlan& plan) {
    using R = ShowCatalogRequest;
    if (!plan.choice) {
        if (plan.storeShowValues && Run(document, "Show/", "S*_SHOW.ini", R::kStore) == 0 &&
            Run(document, "MyDesign/", "S*_SHOW.ini", R::kStore) == 0) {
            Run(document, "MyDesign/", "NonGroup.ini", R::kStore);
        }
        return;
    }
    const DesignSaveChoice& choice = *plan.choice;
    if (IsSameDesignPath(choice.path, document.GetDesignPath())) {
        if (Run(document, "MyDesign/", "S*_SHOW.ini", R::kRemove) == 0 && choice.addToGroup) {
            Run(document, "MyDesign/", "NonGroup.ini", R::kRemove);
        }
    }
    document.SetDesignPath(choice.path);
    if (choice.addToGroup) {
        document.SetShowGroupIndex(choice.group);
        Run(document, "MyDesign/", "S*_SHOW.ini", R::kAdd);
    } else {
        Run(document, "MyDesign/", "NonGroup.ini", R::kAdd);
    }
}
