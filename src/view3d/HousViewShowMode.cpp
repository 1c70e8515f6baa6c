#include <filesystem>
#include <optional>
#include <string>

#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/desktop/WebLink.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/StoredPath.h"
#include "platform/media/SoundFile.h"
#include "view3d/HousView.h"

namespace {

constexpr int kShowEditMode = 950;

// An object's sound is kept as the design stored it: a Z: path is a local
// file, a relative one lies in the program folder, and a file on another
// drive has no local copy to play. Names match ignoring case, as they did
// where the design was made.
std::string LocalSoundFile(const std::string& stored) {
    const pfs::MappedPath mapped = pfs::FromStoredPath(stored);
    switch (mapped.kind) {
        case pfs::StoredPathKind::Local: {
            const std::optional<std::filesystem::path> found =
                pfs::ResolvePathCaseInsensitive(mapped.path);
            return found ? found->string() : mapped.path;
        }
        case pfs::StoredPathKind::Relative:
            return GetProgramFilePath(mapped.path);
        case pfs::StoredPathKind::Foreign:
            break;
    }
    return {};
}

}  // namespace

bool CHousView::IsInShowMode() const {
    return m_pDoc->GetShowMode() != 0 || m_pDoc->GetEditMode() == kShowEditMode;
}

// The object the click picked, not an older picked object of another
// type, is the one whose link opens and whose sound plays. Lights carry
// neither.
void CHousView::OpenPickedObjectLink() {
    const C3DObject* object = m_picked.object;
    if (object == nullptr || m_picked.type == kLightObjectType) {
        return;
    }
    const std::string& link = object->GetWebLink();
    if (!link.empty() && !desktop::OpenWebLink(link)) {
        ShowMessage("無法開啟網站!");
    }
    const std::string& sound = object->GetTriggerSound();
    if (!sound.empty()) {
        media::PlaySoundFile(LocalSoundFile(sound));
    }
}
