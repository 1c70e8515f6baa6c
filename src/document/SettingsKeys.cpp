#include "document/SettingsKeys.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using S = HousSettings;
using R = SettingRange;

// Minutes become timer milliseconds (x 60000), which must fit an int.
constexpr double kMaxTimerMinutes = std::numeric_limits<int32_t>::max() / 60000;
// Image output sizes feed pixel and byte counts kept in ints.
constexpr double kMaxImageSide = 16384;
constexpr double kMaxInt = std::numeric_limits<int32_t>::max();
// Designer lines fill a 255-byte buffer, the design's names a 50-byte one.
constexpr std::size_t kNameBytes = 49;
constexpr std::size_t kDesignerLineBytes = 254;

SettingKey Int(const char* section, const char* key, int32_t S::*member, R range = R::Any,
               double minimum = 0.0, double maximum = 0.0) {
    return SettingKey{section, key, member, SettingAccess::Saved, range, minimum, maximum, 0};
}

SettingKey Flag(const char* section, const char* key, int32_t S::*member,
                SettingAccess access = SettingAccess::Saved) {
    return SettingKey{section, key, member, access, R::Flag, 0.0, 1.0, 0};
}

SettingKey Color(const char* section, const char* key, uint32_t S::*member) {
    return SettingKey{section, key, member, SettingAccess::Saved, R::Any, 0.0, 0.0, 0};
}

SettingKey Real(const char* section, const char* key, float S::*member, R range = R::Any,
                double minimum = 0.0, double maximum = 0.0) {
    return SettingKey{section, key, member, SettingAccess::Saved, range, minimum, maximum, 0};
}

SettingKey Text(const char* section, const char* key, std::string S::*member,
                std::size_t maxBytes) {
    return SettingKey{section, key, member, SettingAccess::Saved, R::Any, 0.0, 0.0, maxBytes};
}

SettingKey Path(const char* section, const char* key, std::string S::*member) {
    return SettingKey{section, key, member, SettingAccess::Saved, R::Any, 0.0, 0.0, 0, true};
}

const std::vector<SettingKey>& Keys() {
    static const std::vector<SettingKey> keys = {
        Text("General", "DESIGNER", &S::designer, kNameBytes),
        Text("General", "INTRO", &S::intro, kNameBytes),
        Text("General", "SHOW_NAME", &S::showName, kNameBytes),
        Int("General", "USE_UNIT", &S::useUnit),
        Int("General", "LOCATION_CHANGE", &S::locationChange, R::Choice, 0, 1),
        // The General page takes the ground size in 10..300 metres.
        Int("General", "LENGTH", &S::length, R::Clamp, 1000, 30000),
        Int("General", "WIDTH", &S::width, R::Clamp, 1000, 30000),
        Path("General", "MUSIC", &S::music),
        Flag("General", "AUTO_PLAY_MUSIC", &S::autoPlayMusic),
        SettingKey{"General", "CHK_SAVE", std::monostate{}, SettingAccess::SaveAllFlag},

        Flag("I/O", "DXF_FULLSIZE", &S::dxfFullSize),
        Int("I/O", "DXF_HEIGHT", &S::dxfHeight, R::Clamp, 1, kMaxInt),
        Int("I/O", "DXF_WIDTH", &S::dxfWidth, R::Clamp, 1, kMaxInt),
        Int("I/O", "DSG_HEIGHT", &S::dsgHeight, R::Clamp, 1, kMaxImageSide),
        Int("I/O", "DSG_WIDTH", &S::dsgWidth, R::Clamp, 1, kMaxImageSide),
        Int("I/O", "MAP_HEIGHT", &S::mapHeight, R::Clamp, 1, kMaxInt),
        Int("I/O", "MAP_WIDTH", &S::mapWidth, R::Clamp, 1, kMaxInt),
        Int("I/O", "QUALITY", &S::quality, R::Choice, 0, 7),
        Int("I/O", "IMG_SIZE_SEL", &S::imgSizeSel, R::Choice, 0, 2),
        Int("I/O", "STD_RES_CMB_SEL", &S::stdResCmbSel, R::Choice, 0, 10),
        Flag("I/O", "RATIO_LOCK", &S::ratioLock),
        Flag("I/O", "CHK_MAP_SIZE", &S::chkMapSize),
        Flag("I/O", "AUTO_SAVE", &S::autoSave),
        Int("I/O", "SAVE_INTERVAL", &S::saveInterval, R::Clamp, 1, kMaxTimerMinutes),
        Flag("I/O", "AUTO_BACK", &S::autoBack),
        Int("I/O", "SAVE_COPY", &S::saveCopy, R::Clamp, 1, 5),
        Flag("I/O", "PROMPT_SAVE", &S::promptSave),
        Int("I/O", "PROMPT_NEW", &S::promptNew, R::Clamp, 1, kMaxTimerMinutes),
        Int("I/O", "PROMPT_PER", &S::promptPer, R::Clamp, 1, kMaxTimerMinutes),

        Int("2DEdit", "ARC_STYLE", &S::arcStyle, R::Choice, 0, 1),
        Real("2DEdit", "ARROW_LENGTH", &S::arrowLength),
        Real("2DEdit", "ARROW_ANGLE", &S::arrowAngle, R::OpenInterval, 0, 90),
        Int("2DEdit", "CIRCLE_STYLE", &S::circleStyle, R::Choice, 0, 3),
        Int("2DEdit", "CURVE_STYLE", &S::curveStyle, R::Choice, 0, 1),
        Int("2DEdit", "LINE_STYLE", &S::lineStyle, R::Choice, 0, 1),
        Int("2DEdit", "GROW_STRUCT", &S::growStruct, R::Choice, 0, 2),
        Int("2DEdit", "LINE_WIDTH", &S::lineWidth),
        Int("2DEdit", "DRAW_UNIT_COMBO", &S::drawUnitCombo, R::Clamp, 0, 5),
        // Curved outlines step by 26 - LEVEL degrees.
        Int("2DEdit", "LEVEL", &S::level, R::Clamp, 0, 24),
        Int("2DEdit", "SELECT_SENSE", &S::selectSense, R::Clamp, 1, 20),

        Color("2DView", "METER_COLOR", &S::meterColor),
        Color("2DView", "TEXT_COLOR", &S::textColor),
        Color("2DView", "DXF_COLOR", &S::dxfColor),
        Color("2DView", "DXFIcon_COLOR", &S::dxfIconColor),
        Color("2DView", "PIC_COLOR", &S::picColor),
        Color("2DView", "WALL_COLOR", &S::wallColor),
        Color("2DView", "FLOOR_COLOR", &S::floorColor),
        Color("2DView", "CEILING_COLOR", &S::ceilingColor),
        Color("2DView", "FURINITURE_COLOR", &S::furnitureColor),
        Color("2DView", "SHAPE_COLOR", &S::shapeColor),
        Color("2DView", "CAMERA_COLOR", &S::cameraColor),
        Color("2DView", "PHOTO_COLOR", &S::photoColor),
        Color("2DView", "LIGHT_COLOR", &S::lightColor),
        Color("2DView", "LINE_COLOR", &S::lineColor),
        Color("2DView", "GRID_COLOR", &S::gridColor),
        Color("2DView", "WALL_BRUSH_COLOR", &S::wallBrushColor),
        Color("2DView", "FLOOR_BRUSH_COLOR", &S::floorBrushColor),
        Color("2DView", "CEILING_BRUSH_COLOR", &S::ceilingBrushColor),
        // The plan grid is drawn in steps of GRID_GAP.
        Int("2DView", "GRID_GAP", &S::gridGap, R::Clamp, 1, 3000),
        Flag("2DView", "GRID_SHOW", &S::gridShow),
        Flag("2DView", "RULER_SHOW", &S::rulerShow),
        SettingKey{"2DView", "GRID_HEIGHT", &S::gridHeight, SettingAccess::WrittenOnly},
        SettingKey{"2DView", "GRID_WIDTH", &S::gridWidth, SettingAccess::WrittenOnly},
        Int("2DView", "SHOE_2D_STATE", &S::show2DState),
        Int("2DView", "SHOE_3D_STATE", &S::show3DState),

        Int("3DEdit", "RODBOX_STYLE", &S::rodBoxStyle, R::Choice, 1, 2),
        Int("3DEdit", "RODBOX_THICKNESS", &S::rodBoxThickness, R::Clamp, 1, 5),
        Color("3DEdit", "RODBOX_COLOR", &S::rodBoxColor),
        Int("3DEdit", "HEIGHT_OFFSET_OBJ", &S::heightOffsetObj, R::Clamp, 1, 150),
        Int("3DEdit", "LENGTH_OFFSET_OBJ", &S::lengthOffsetObj, R::Clamp, 1, 150),

        Color("3DView", "3DGRID_COLOR", &S::grid3DColor),
        Int("3DView", "RED", &S::red, R::Clamp, 0, 255),
        Int("3DView", "GREEN", &S::green, R::Clamp, 0, 255),
        Int("3DView", "BLUE", &S::blue, R::Clamp, 0, 255),
        Int("3DView", "BG_COLOR", &S::bgColor, R::Choice, 0, 2),
        Flag("3DView", "PREVIEW", &S::preview),
        Flag("3DView", "SYNC_COLOR", &S::syncColor),
        Path("3DView", "3DBGFILENAME", &S::bgFileName3D),
        Int("3DView", "OFFSET_HEIGHT", &S::offsetHeight),
        Int("3DView", "OFFSET_LENGTH", &S::offsetLength),
        Flag("3DView", "USE_SOUND", &S::useSound),
        // The 3D view page takes the far depth in 10..100000 metres.
        Real("3DView", "FAR_SHOW_3D_DISTANCE", &S::farShow3DDistance, R::Clamp, 1000, 10000000),
        Int("3DView", "VIEW_ANGLE", &S::viewAngle, R::Clamp, 30, 90),
        Int("3DView", "BG_RATIO", &S::bgRatio, R::Clamp, 0, 100),
        Flag("3DView", "WALL_LOCK", &S::wallLock, SettingAccess::StartupSwitch),
        Flag("3DView", "SHOW_LIGHT", &S::showLight, SettingAccess::StartupSwitch),
        Flag("3DView", "SHOW_MIRROR", &S::showMirror, SettingAccess::StartupSwitch),
        Flag("3DView", "SHOW_SHADOW", &S::showShadow, SettingAccess::StartupSwitch),
        Flag("3DView", "SHOW_TEXTURE", &S::showTexture, SettingAccess::StartupSwitch),
        SettingKey{"3DView", "HARDWARE", &S::hardware, SettingAccess::Saved, R::VertexProcessing},
        Flag("3DView", "SHOW_LEVEL_SHADOW", &S::showLevelShadow),
        Flag("3DView", "PREVIEWTURN", &S::previewTurn, SettingAccess::ReadOnly),

        Text("Designer", "DESIGNER", &S::company, kDesignerLineBytes),
        Text("Designer", "HEADINFO", &S::headInfo, kDesignerLineBytes),
        Text("Designer", "ADDRESS", &S::address, kDesignerLineBytes),
        Text("Designer", "TELEPHONE", &S::telephone, kDesignerLineBytes),
        Text("Designer", "FAX", &S::fax, kDesignerLineBytes),
    };
    return keys;
}

template <typename T>
T Ranged(const SettingKey& key, T value, T defaultValue) {
    const double v = static_cast<double>(value);
    switch (key.range) {
        case R::Any:
            return value;
        case R::Clamp:
            return static_cast<T>(std::clamp(v, key.minimum, key.maximum));
        case R::Choice:
            return (v < key.minimum || v > key.maximum) ? defaultValue : value;
        case R::OpenInterval:
            return (v <= key.minimum || v >= key.maximum) ? defaultValue : value;
        case R::Flag:
            return value != T(0) ? T(1) : T(0);
        case R::VertexProcessing:
            return (value == T(32) || value == T(64)) ? value : defaultValue;
    }
    return defaultValue;
}

}  // namespace

std::span<const SettingKey> GetSettingKeys() {
    return Keys();
}

void BringIntoRange(const SettingKey& key, HousSettings& settings) {
    const HousSettings& defaults = DefaultHousSettings();
    if (auto member = std::get_if<int32_t S::*>(&key.member)) {
        settings.*(*member) = Ranged(key, settings.*(*member), defaults.*(*member));
    } else if (auto member = std::get_if<float S::*>(&key.member)) {
        float& value = settings.*(*member);
        value =
            std::isfinite(value) ? Ranged(key, value, defaults.*(*member)) : defaults.*(*member);
    }
}
