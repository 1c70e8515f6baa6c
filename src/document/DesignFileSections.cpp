#include "document/DesignFileSections.h"

#include <string>

#include "foundation/ProductSite.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/ObjectTypeCodes.h"

namespace DesignFileSections {

std::string_view GetKindName(int type) {
    switch (type) {
        case kModelObjectType:
            return "傢俱";
        case kWallObjectType:
            return "牆";
        case kLightObjectType:
            return "光源";
        case kText3DObjectType:
            return "3D文字";
        case kPhotoObjectType:
            return "照片";
        case kFloorObjectType:
            return "地板";
        case kCeilingObjectType:
            return "天花板";
        case kLineShapeType:
            return "線條";
        case kRectShapeType:
            return "矩形";
        case kCircleShapeType:
            return "圓及圓弧";
        case kCurveShapeType:
            return "曲線";
        case kChainShapeType:
            return "連續線";
        case kDimensionShapeType:
            return "尺寸標註";
        case kTextShapeType:
            return "文字註解";
        case kDxfIconShapeType:
            return "DXF圖塊";
        case kImageShapeType:
            return "圖片";
        case kGroupShapeType:
            return "群組";
        default:
            return "物件";
    }
}

}  // namespace DesignFileSections

bool IsCustomBackground(std::string_view name) {
    return !name.empty() && name != "Default";
}

bool RefuseDamagedDesign() {
    ShowMessageNow("設計案檔案已損壞，無法讀取。", PromptButtons::Ok, PromptIcon::Error);
    return false;
}

bool RefuseDesignTooLargeForMemory() {
    ShowMessageNow("記憶體不足，無法讀取設計案：檔案可能已損壞，未開啟。", PromptButtons::Ok,
                   PromptIcon::Error);
    return false;
}

void WarnUnreadTail(int64_t bytes) {
    ShowMessage(FormatString("設計案檔案的最後 %lld 位元組無法讀取，部分物件可能沒有載入。"
                             "請以「另存新檔」儲存，以免覆蓋原來的檔案。",
                             static_cast<long long>(bytes)),
                PromptButtons::Ok, PromptIcon::Warning);
}

bool RefuseNewerDesign() {
    ShowMessageNow("設計案版本比程式版本還新, 請至Orvik網站(" + std::string(kProductSiteAddress) +
                       ")更新您的程式.",
                   PromptButtons::Ok, PromptIcon::Warning);
    return false;
}

bool RefuseUnreadableKind(int type) {
    const std::string kind(DesignFileSections::GetKindName(type));
    ShowMessageNow(FormatString("此版本程式還無法讀取設計案中的%s，檔案未開啟。", kind.c_str()),
                   PromptButtons::Ok, PromptIcon::Error);
    return false;
}
