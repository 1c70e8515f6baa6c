#include "view3d/HousViewDesignFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "document/DesignBackups.h"
#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "document/ShowEntryOnSave.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/RegularFile.h"
#include "platform/fs/UniqueFile.h"
#include "view3d/HousViewRenderer.h"

namespace {

constexpr int kHistoryListCount = 4;

// Set for the length of a save: the auto-save and the close question wait
// for it.
class SavingFlags {
public:
    explicit SavingFlags(CHousDoc& doc) : m_doc(doc) {
        m_doc.SetSaving(1);
        m_doc.SetBusy(1);
    }
    ~SavingFlags() {
        m_doc.SetSaving(0);
        m_doc.SetBusy(0);
    }
    SavingFlags(const SavingFlags&) = delete;
    SavingFlags& operator=(const SavingFlags&) = delete;

private:
    CHousDoc& m_doc;
};

// Reflections and shadows are off while a file is read, so that the frames
// painted meanwhile stay cheap; busy keeps edits and saves away.
class LoadingFlags {
public:
    explicit LoadingFlags(CHousDoc& doc)
        : m_doc(doc), m_mirror(doc.Settings().showMirror), m_shadow(doc.Settings().showShadow) {
        m_doc.Settings().showMirror = 0;
        m_doc.Settings().showShadow = 0;
        m_doc.SetBusy(1);
    }
    ~LoadingFlags() {
        m_doc.Settings().showMirror = m_mirror;
        m_doc.Settings().showShadow = m_shadow;
        m_doc.SetBusy(0);
    }
    LoadingFlags(const LoadingFlags&) = delete;
    LoadingFlags& operator=(const LoadingFlags&) = delete;

private:
    CHousDoc& m_doc;
    int32_t m_mirror;
    int32_t m_shadow;
};

// The design is on disk; what could not be written beside it is only
// noted, so that a full disk does not pass unseen.
std::string SkippedExtrasText(bool backupsWritten, bool thumbnailWritten) {
    const char* skipped = !backupsWritten && !thumbnailWritten ? "備份檔和縮圖"
                          : !backupsWritten                    ? "備份檔"
                                                               : "縮圖";
    return FormatString("設計案已儲存，但無法寫入%s (磁碟可能已滿)，已略過。", skipped);
}

double HighestObjectNumber(CDesignScene& scene) {
    double highest = 0.0;
    for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
        for (const CDesignObject* object : scene.Objects(type)) {
            highest = std::max(highest, static_cast<const C3DObject*>(object)->GetObjectNumber());
        }
    }
    return highest;
}

// The design's file asked through the file dialog; a design saved this way
// joins no show group.
class CAskedDesignFile : public IDesignSaveChooser {
public:
    std::optional<DesignSaveChoice> ChooseDesignFile(const std::string& proposedTitle,
                                                     const std::string& folder) override {
        FileNameRequest request;
        request.save = true;
        request.filter = CHousViewDesignFile::kDesignFilter;
        request.defaultName = proposedTitle.empty() ? CHousViewDesignFile::kDefaultDesignName
                                                    : proposedTitle + ".dg6";
        request.folder = folder;
        std::optional<std::string> path = AskFileName(request);
        if (!path || path->empty()) {
            return std::nullopt;
        }
        return DesignSaveChoice{std::move(*path), false, 0};
    }
};

}  // namespace

CHousViewDesignFile::CHousViewDesignFile(CHousDoc& doc, CHousViewRenderer& renderer)
    : m_doc(doc), m_renderer(renderer), m_fileState(renderer) {}

CDesignScene& CHousViewDesignFile::GetScene() {
    CDesignScene& scene = m_renderer.GetScene();
    if (scene.GetDocument() == nullptr) {
        scene.SetDocument(&m_doc);
    }
    return scene;
}

// ---- Saving

bool CHousViewDesignFile::SaveDesign(int mode) {
    if (m_doc.GetBusy() != 0) {
        return false;
    }
    CAskedDesignFile chooser;
    const std::optional<ShowEntrySavePlan> plan = UpdateShowEntryOnSave(m_doc, mode, chooser);
    if (!plan || plan->path.empty()) {
        return false;
    }
    bool backupsWritten = true;
    {
        const SavingFlags saving(m_doc);
        if (!WriteDesign(plan->path, backupsWritten)) {
            return false;
        }
    }
    const bool thumbnailWritten = SaveThumbnailBeside(plan->path);
    if (!backupsWritten || !thumbnailWritten) {
        m_doc.SetStatusText(SkippedExtrasText(backupsWritten, thumbnailWritten));
    }
    // Only a design that is on disk gets its new path and show entry.
    CommitShowEntryOnSave(m_doc, *plan);
    m_doc.SetDesignModified(0);
    return true;
}

bool CHousViewDesignFile::WriteDesign(const std::string& path, bool& backupsWritten) {
    pfs::AtomicFileWriter sink(path);
    CBinaryWriter writer(sink);
    const bool written = GetScene().WriteDesignFile(writer, m_fileState) && !writer.HasError();
    if (!sink.Ok()) {
        ShowMessage(sink.Error(), PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    if (!written) {
        ShowMessage(
            FormatString("無法儲存設計案「%s」：設計案中有無法寫入檔案的資料。", path.c_str()),
            PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    const HousSettings& settings = m_doc.Settings();
    std::optional<CDesignBackups> backups;
    if (settings.autoBack != 0) {
        backups.emplace(path, settings.saveCopy);
    }
    if (const pfs::Result<void> committed = sink.Commit(); !committed) {
        ShowMessage(committed.Error(), PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    if (backups) {
        backupsWritten = backups->Rotate();
    }
    return true;
}

// The open dialog previews a design by the picture of the same name. A file
// of another extension gets none: its last three characters are not "dg6",
// and replacing them could name the design itself.
bool CHousViewDesignFile::SaveThumbnailBeside(const std::string& path) {
    if (!HasFileExtension(path, "dg6")) {
        return true;
    }
    return m_renderer.SaveThumbnail(path.substr(0, path.size() - 3) + "bmp", false);
}

// ---- Loading

bool CHousViewDesignFile::LoadDesign(const std::string& path, bool merge) {
    // Only a regular file of a design's size is read: a folder, a pipe or a
    // device is refused with the reason.
    pfs::Result<pfs::RegularFile> opened = pfs::OpenRegularFile(path, pfs::kBinaryFileLimit);
    if (!opened) {
        ShowMessage(opened.Error(), PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    const pfs::UniqueFile file(opened.Value().ReleaseToStream());
    if (!file) {
        ShowMessage(FormatString("無法開啟設計案「%s」。", path.c_str()), PromptButtons::Ok,
                    PromptIcon::Error);
        return false;
    }
    CDesignScene& scene = GetScene();
    CHousViewCamera& camera = m_renderer.GetCamera();
    const bool inPreset = camera.IsOrthoOn() != 0 && camera.GetPreset() != 0;
    const double counterBefore = scene.GetObjectIdCounter();
    int32_t wireframe = 0;
    {
        const LoadingFlags loading(m_doc);
        m_doc.ClearMissingFiles();
        CBinaryReader reader(file.get());
        if (!scene.ReadDesignFile(reader, m_fileState, !merge, wireframe)) {
            // An abort answers this load only.
            m_doc.SetAbort(0);
            return false;
        }
        KeepObjectIdCounter(merge ? counterBefore : 0.0);
        for (int list = 0; list < kHistoryListCount; ++list) {
            m_doc.ClearHistoryList(list);
        }
    }
    m_renderer.SetWireframe(wireframe != 0);
    // An orthographic preset gives way to perspective. An added design
    // returns to the camera the user had; an opened one keeps its own.
    if (inPreset) {
        camera.SetOrthoOn(0);
        if (merge) {
            camera.RestorePerspective();
        }
        camera.UpdateCamera();
    }
    m_doc.StoreCameraPlanPose();
    if (merge) {
        m_doc.SetDesignModified(1);
    } else {
        m_doc.SetDesignPath(path);
        m_doc.SetDesignModified(0);
    }
    m_doc.UpdateAllViews(kFullRefreshHint);
    return true;
}

void CHousViewDesignFile::KeepObjectIdCounter(double counterBefore) {
    CDesignScene& scene = m_renderer.GetScene();
    scene.SetObjectIdCounter(
        std::max({counterBefore, m_fileState.GetStoredIdCounter(), HighestObjectNumber(scene)}));
}
