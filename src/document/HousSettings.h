#pragma once

#include <cstdint>
#include <string>

#include "platform/draw/DrawTypes.h"

// One member per key of the settings file "zadivav.ini", each holding the
// key's default until the file is read. The document keeps one of these as
// its live options: the option pages edit it, the views and tools read it.
struct HousSettings {
    // [General]
    std::string designer = "Default";  // DESIGNER: the design's showcase entry
    std::string intro = "Default";     // INTRO
    std::string showName = "Default";  // SHOW_NAME
    int32_t useUnit = 10;              // USE_UNIT
    int32_t locationChange = 0;        // LOCATION_CHANGE: 0 shift by offset, 1 move to a position
    int32_t length = 3000;             // LENGTH: ground x extent, cm
    int32_t width = 3000;              // WIDTH: ground y extent, cm
    std::string music;                 // MUSIC: background music file
    int32_t autoPlayMusic = 0;         // AUTO_PLAY_MUSIC

    // [I/O]
    int32_t dxfFullSize = 0;   // DXF_FULLSIZE: place DXF icons at the sizes below
    int32_t dxfHeight = 50;    // DXF_HEIGHT
    int32_t dxfWidth = 50;     // DXF_WIDTH
    int32_t dsgHeight = 1462;  // DSG_HEIGHT: image output height, pixels
    int32_t dsgWidth = 1130;   // DSG_WIDTH
    int32_t mapHeight = 50;    // MAP_HEIGHT: size of a picture put into the plan
    int32_t mapWidth = 50;     // MAP_WIDTH
    int32_t quality = 0;       // QUALITY: 0..7
    int32_t imgSizeSel = 0;    // IMG_SIZE_SEL: 0 display area, 1 standard, 2 user size
    int32_t stdResCmbSel = 0;  // STD_RES_CMB_SEL: 0..10
    int32_t ratioLock = 1;     // RATIO_LOCK
    int32_t chkMapSize = 0;    // CHK_MAP_SIZE
    int32_t autoSave = 0;      // AUTO_SAVE
    int32_t saveInterval = 5;  // SAVE_INTERVAL, minutes
    int32_t autoBack = 1;      // AUTO_BACK
    int32_t saveCopy = 2;      // SAVE_COPY: backups kept, 1..5
    int32_t promptSave = 1;    // PROMPT_SAVE
    int32_t promptNew = 5;     // PROMPT_NEW, minutes
    int32_t promptPer = 30;    // PROMPT_PER, minutes

    // [2DEdit]
    int32_t arcStyle = 0;       // ARC_STYLE
    float arrowLength = 10.0f;  // ARROW_LENGTH
    float arrowAngle = 20.0f;   // ARROW_ANGLE: degrees, above 0 and below 90
    int32_t circleStyle = 0;    // CIRCLE_STYLE: 0..3
    int32_t curveStyle = 1;     // CURVE_STYLE
    int32_t lineStyle = 1;      // LINE_STYLE
    int32_t growStruct = 0;     // GROW_STRUCT: 0 wall, 1 ceiling, 2 floor
    int32_t lineWidth = 10;     // LINE_WIDTH
    int32_t drawUnitCombo = 2;  // DRAW_UNIT_COMBO: 0..5 for 1, 2, 5, 10, 20, 50 cm
    int32_t level = 16;         // LEVEL: curve complexity, 0..24
    int32_t selectSense = 4;    // SELECT_SENSE: pick tolerance in pixels, 1..20

    // [2DView]: plan colours, in the order the document keeps them
    draw::COLORREF meterColor = 0;                                // METER_COLOR
    draw::COLORREF textColor = 0;                                 // TEXT_COLOR
    draw::COLORREF dxfColor = 0;                                  // DXF_COLOR
    draw::COLORREF dxfIconColor = 0;                              // DXFIcon_COLOR
    draw::COLORREF picColor = 0;                                  // PIC_COLOR
    draw::COLORREF shapeColor = 0;                                // SHAPE_COLOR
    draw::COLORREF cameraColor = 0;                               // CAMERA_COLOR
    draw::COLORREF wallColor = 0;                                 // WALL_COLOR
    draw::COLORREF floorColor = 0;                                // FLOOR_COLOR
    draw::COLORREF ceilingColor = 0;                              // CEILING_COLOR
    draw::COLORREF furnitureColor = 0;                            // FURINITURE_COLOR
    draw::COLORREF photoColor = 0;                                // PHOTO_COLOR
    draw::COLORREF lightColor = 0;                                // LIGHT_COLOR
    draw::COLORREF lineColor = 0;                                 // LINE_COLOR
    draw::COLORREF gridColor = draw::Rgb(192, 192, 192);          // GRID_COLOR
    draw::COLORREF wallBrushColor = draw::Rgb(255, 255, 202);     // WALL_BRUSH_COLOR
    draw::COLORREF ceilingBrushColor = draw::Rgb(202, 255, 255);  // CEILING_BRUSH_COLOR
    draw::COLORREF floorBrushColor = draw::Rgb(149, 255, 202);    // FLOOR_BRUSH_COLOR
    int32_t gridGap = 50;                                         // GRID_GAP: 1..3000
    int32_t gridShow = 1;                                         // GRID_SHOW
    int32_t rulerShow = 1;                                        // RULER_SHOW
    int32_t gridHeight = 2000;  // GRID_HEIGHT: written, never read back
    int32_t gridWidth = 2000;   // GRID_WIDTH: written, never read back
    int32_t show2DState = -1;   // SHOE_2D_STATE: the plan display mask
    int32_t show3DState = 3;    // SHOE_3D_STATE: display bits of the 3D view

    // [3DEdit]
    int32_t rodBoxStyle = 1;                            // RODBOX_STYLE: 1 lines, 2 tubes
    int32_t rodBoxThickness = 1;                        // RODBOX_THICKNESS: 1..5
    draw::COLORREF rodBoxColor = draw::Rgb(255, 0, 0);  // RODBOX_COLOR
    int32_t heightOffsetObj = 10;                       // HEIGHT_OFFSET_OBJ: 1..150
    int32_t lengthOffsetObj = 10;                       // LENGTH_OFFSET_OBJ: 1..150

    // [3DView]
    draw::COLORREF grid3DColor = draw::Rgb(200, 200, 200);  // 3DGRID_COLOR
    int32_t red = 160;                                      // RED: ambient light, 0..255
    int32_t green = 160;                                    // GREEN
    int32_t blue = 160;                                     // BLUE
    int32_t bgColor = 2;                   // BG_COLOR: 0 white, 1 black, 2 grey-blue
    int32_t preview = 1;                   // PREVIEW
    int32_t syncColor = 1;                 // SYNC_COLOR
    std::string bgFileName3D = "Default";  // 3DBGFILENAME: "Default" keeps the picture, "" none
    int32_t offsetHeight = 200;            // OFFSET_HEIGHT
    int32_t offsetLength = 200;            // OFFSET_LENGTH
    int32_t useSound = 1;                  // USE_SOUND
    float farShow3DDistance = 15000.0f;    // FAR_SHOW_3D_DISTANCE: far plane, cm, at least 1000
    int32_t viewAngle = 45;                // VIEW_ANGLE: degrees, 30..90
    int32_t bgRatio = 50;                  // BG_RATIO: horizon, percent from the bottom
    int32_t wallLock = 1;                  // WALL_LOCK: the current 3D switches
    int32_t showLight = 1;                 // SHOW_LIGHT
    int32_t showMirror = 1;                // SHOW_MIRROR
    int32_t showShadow = 1;                // SHOW_SHADOW
    int32_t showTexture = 1;               // SHOW_TEXTURE
    int32_t hardware = 64;                 // HARDWARE: 64 hardware, 32 software vertex processing
    int32_t showLevelShadow = 1;           // SHOW_LEVEL_SHADOW
    int32_t previewTurn = 0;  // PREVIEWTURN: read here, written by the furniture browser

    // [Designer]: the lines printed with 3D images
    std::string company;    // DESIGNER
    std::string headInfo;   // HEADINFO
    std::string address;    // ADDRESS
    std::string telephone;  // TELEPHONE
    std::string fax;        // FAX

    bool operator==(const HousSettings&) const = default;
};

// Every key's default: what a settings file without keys gives.
inline const HousSettings& DefaultHousSettings() {
    static const HousSettings kDefaults;
    return kDefaults;
}
