#include "plan2d/PlanPictureInsert.h"

#include <filesystem>
#include <memory>
#include <optional>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/2DImageShape.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"
#include "platform/image/ImageFormat.h"

namespace {

constexpr int kInsertPictureMode = 190;

// The formats the image layer reads, as description and pattern pairs.
constexpr const char* kPictureFilter =
    "bmp Files (*.bmp)|*.bmp|ico Files (*.ico)|*.ico|jpg Files (*.jpg; *.jpeg)|*.jpg; *.jpeg|"
    "jp2 Files (*.jp2)|*.jp2|jpc Files (*.jpc)|*.jpc|pcx Files (*.pcx)|*.pcx|"
    "pgx Files (*.pgx)|*.pgx|png Files (*.png)|*.png|pnm Files (*.pnm)|*.pnm|"
    "tif Files (*.tif)|*.tif|tga Files (*.tga)|*.tga|wbmp Files (*.wbmp)|*.wbmp|"
    "wmf Files (*.wmf)|*.wmf|All Files (*.*)|*.*||";

void EnsurePicturesShown(CHousDoc& doc, const std::function<void()>& showPictures) {
    if ((static_cast<uint32_t>(doc.Settings().show2DState) & PlanLayer::kPictures) == 0 &&
        showPictures) {
        showPictures();
    }
}

std::optional<std::string> AskPictureFile(const CHousDoc& doc, const std::string& lastPath) {
    FileNameRequest request;
    request.filter = kPictureFilter;
    if (lastPath.empty()) {
        request.folder = doc.GetProgramFolder();
    } else {
        const std::filesystem::path last(lastPath);
        request.folder = last.parent_path().string();
        request.defaultName = last.filename().string();
    }
    return AskFileName(request);
}

// The picture of the file, or null after telling the user why not. A file
// that decodes to no pixels is no picture either.
std::unique_ptr<C2DImageShape> LoadPicture(const std::string& path) {
    auto shape = std::make_unique<C2DImageShape>();
    const bool loaded = SUCCEEDED(shape->LoadImageFile(path));
    const draw::Size size = shape->GetImage().GetSize();
    if (loaded && shape->HasImage() && size.cx > 0 && size.cy > 0) {
        return shape;
    }
    // The image layer has already named a format it does not read.
    if (image::GetImageFormatByExtension(path) != image::ImageFormat::Unknown) {
        ShowMessage(FormatString("無法讀取圖檔 %s", path.c_str()), PromptButtons::Ok,
                    PromptIcon::Warning);
    }
    return nullptr;
}

}  // namespace

bool InsertPlanPicture(CHousDoc& doc, std::string& lastPath,
                       const std::function<void()>& showPictures) {
    EnsurePicturesShown(doc, showPictures);
    doc.SetEditMode(kInsertPictureMode);
    I3DView* view = doc.Get3DView();
    CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    const std::optional<std::string> path =
        scene != nullptr ? AskPictureFile(doc, lastPath) : std::nullopt;
    if (!path) {
        doc.SetEditMode(0);
        return false;
    }
    lastPath = *path;
    std::unique_ptr<C2DImageShape> picture = LoadPicture(*path);
    if (!picture) {
        doc.SetEditMode(0);
        return false;
    }

    const HousSettings& settings = doc.Settings();
    const draw::Size natural = picture->GetImage().GetSize();
    const draw::Size size =
        settings.chkMapSize != 0 ? draw::Size{settings.mapWidth, settings.mapHeight} : natural;
    picture->SetSize(size.cx, size.cy);
    picture->SetNaturalSize(size.cx, size.cy);
    doc.StoreCameraPlanPose();
    const CameraPlanPose& pose = doc.GetCameraPlanPose();
    picture->SetPosition(RoundToInt(pose.x), RoundToInt(pose.z));
    picture->SetLevelHeight(scene->GetCurrentFloorHeight());

    CDesignObject* added = picture.release();
    scene->AddObjectIfAbsent(kImageShapeType, added);
    auto record = std::make_unique<HistoryRecord>();
    record->count = 1;
    record->objectType = kImageShapeType;
    record->operation = kHistoryAdd;
    record->after = HistoryObject{added, nullptr};
    doc.PushUndoRecord(std::move(record));

    EnsurePicturesShown(doc, showPictures);
    doc.SetDesignModified(1);
    doc.SetEditModeAndRefresh(0);
    return true;
}
