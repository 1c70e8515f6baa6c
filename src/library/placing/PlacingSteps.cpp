#include "library/placing/PlacingSteps.h"

#include <algorithm>
#include <string_view>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "document/LibraryBrowserLink.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "platform/text/AsciiCase.h"

namespace {

constexpr std::string_view kDoorFolder = "16結構-門";
constexpr std::string_view kDoorNamePrefix = "M16";

// Stored paths may still carry Windows separators.
std::string WithSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::EqualsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

void PushObjectRecord(CHousDoc& doc, int count, int type, int operation, HistoryObject object) {
    auto record = std::make_unique<HistoryRecord>();
    record->count = count;
    record->objectType = type;
    record->operation = operation;
    if (operation == kHistoryDelete) {
        record->before = std::move(object);
    } else {
        record->after = std::move(object);
    }
    doc.PushUndoRecord(std::move(record));
}

}  // namespace

CDesignScene* PlacingScene(const CHousDoc& doc) {
    I3DView* view = doc.Get3DView();
    return view != nullptr ? view->GetScene() : nullptr;
}

float ScaleToSize(float size, float extent) {
    return extent != 0.0f ? size / extent : 1.0f;
}

void ScaleToRealSize(C3DObject& object, float width, float depth, float height) {
    const std::array<float, 3>& extent = object.GetExtent();  // x, z, y
    object.SetScale(ScaleToSize(width, extent[0]), ScaleToSize(height, extent[2]),
                    ScaleToSize(depth, extent[1]));
}

void ApplyDropPoint(C3DObject& object, const LibraryDropPoint& drop) {
    if (!drop.IsUsed()) {
        return;
    }
    float x = drop.x;
    float z = drop.z;
    if (drop.centre == 0) {
        const std::array<float, 3>& extent = object.GetExtent();
        x += extent[0] / 2.0f;
        z -= extent[1] / 2.0f;
    }
    object.SetPosition(x, drop.y, z);
}

void PushAddRecord(CHousDoc& doc, int count, int type, CDesignObject* object) {
    PushObjectRecord(doc, count, type, kHistoryAdd, HistoryObject{object, nullptr});
}

void PushDeleteRecord(CHousDoc& doc, int count, int type, CDesignObject* object) {
    PushObjectRecord(doc, count, type, kHistoryDelete,
                     HistoryObject{nullptr, std::unique_ptr<CDesignObject>(object)});
}

bool IsDoorModel(const std::string& modelFolder, const std::string& filePath,
                 const std::string& entryName) {
    std::string folder = WithSlashes(modelFolder);
    while (!folder.empty() && folder.back() == '/') {
        folder.pop_back();
    }
    const std::string doorPrefix = folder + "/" + std::string(kDoorFolder);
    return StartsWithIgnoringCase(WithSlashes(filePath), doorPrefix) ||
           StartsWithIgnoringCase(entryName, kDoorNamePrefix);
}
