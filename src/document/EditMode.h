#pragma once

// The document's edit mode: which tool runs or what kind of object is
// selected. The tens (and hundreds) name the tool or the kind, the units digit
// the step: 1 a creation with its first point, 6 a selection of several.
namespace EditMode {

inline constexpr int kNone = 0;

// Outlines of surfaces, drawn in the plan.
inline constexpr int kCeiling = 10;
inline constexpr int kCeilingDrawing = 11;
inline constexpr int kWall = 20;
inline constexpr int kWallDrawing = 21;
inline constexpr int kFloor = 30;
inline constexpr int kFloorDrawing = 31;

inline constexpr int kDoorWindow = 50;  // doors, windows, splits and holes in 3D
inline constexpr int kDxfToStructure = 100;
inline constexpr int kText = 160;
inline constexpr int kTextDrawing = 161;
inline constexpr int kDimension = 170;
inline constexpr int kDimensionDrawing = 171;
inline constexpr int kPlaceDxfIcon = 180;
inline constexpr int kPlacePicture = 190;

// Plan drawing tools.
inline constexpr int kLine = 600;
inline constexpr int kLineDrawing = 601;
inline constexpr int kArrow = 610;
inline constexpr int kArrowDrawing = 611;
inline constexpr int kArc = 620;
inline constexpr int kArcDrawing = 621;
inline constexpr int kRectangle = 630;
inline constexpr int kRectangleDrawing = 631;
inline constexpr int kCircle = 640;
inline constexpr int kCircleDrawing = 641;
inline constexpr int kCurve = 650;
inline constexpr int kCurveDrawing = 651;

// Selections: one object / several of the kind.
inline constexpr int kFurnitureSelected = 200;
inline constexpr int kFurnitureMultiSelected = 206;
inline constexpr int kWallSelected = 210;
inline constexpr int kWallMultiSelected = 216;
inline constexpr int kFloorSelected = 220;
inline constexpr int kFloorMultiSelected = 226;
inline constexpr int kLightSelected = 230;
inline constexpr int kLightMultiSelected = 236;
inline constexpr int kCeilingSelected = 250;
inline constexpr int kCeilingMultiSelected = 256;
inline constexpr int kSurfacesMixedSelected = 257;  // walls, floors and ceilings only
inline constexpr int kPhotoSelected = 260;
inline constexpr int kPhotoMultiSelected = 266;
inline constexpr int kText3DSelected = 270;
inline constexpr int kText3DMultiSelected = 276;
inline constexpr int kLineSelected = 700;
inline constexpr int kLinesWithoutHeadsSelected = 706;
inline constexpr int kLinesMixedHeadsSelected = 707;
inline constexpr int kShapesMixedSelected = 708;
inline constexpr int kArrowLineSelected = 710;
inline constexpr int kArrowLinesSelected = 716;
inline constexpr int kArcSelected = 720;
inline constexpr int kArcsSelected = 726;
inline constexpr int kRectangleSelected = 730;
inline constexpr int kRectanglesSelected = 736;
inline constexpr int kFullCircleSelected = 740;
inline constexpr int kFullCirclesSelected = 746;
inline constexpr int kCurveSelected = 750;
inline constexpr int kCurvesSelected = 756;
inline constexpr int kChainSelected = 760;
inline constexpr int kChainsSelected = 766;
inline constexpr int kDimensionSelected = 770;
inline constexpr int kDimensionsSelected = 776;
inline constexpr int kNotesMixedSelected = 777;  // dimension and text notes together
inline constexpr int kTextNoteSelected = 780;
inline constexpr int kTextNotesSelected = 786;
inline constexpr int kDxfIconSelected = 790;
inline constexpr int kDxfIconsSelected = 796;
inline constexpr int kPictureSelected = 800;
inline constexpr int kPicturesSelected = 806;
inline constexpr int kBaseDrawingSelected = 810;
inline constexpr int kGroupSelected = 820;
inline constexpr int kGroupsSelected = 826;
inline constexpr int kMixedSelected = 890;

// Show mode and output.
inline constexpr int kShow = 911;
inline constexpr int kShowRecording = 912;
inline constexpr int kShowPlayback = 914;
inline constexpr int kShowWithRecording = 915;
inline constexpr int kPlanPrint = 940;
inline constexpr int kPrintPreview = 950;
inline constexpr int kPlanBitmapExport = 960;

inline constexpr int kCopyTexture = 1100;
inline constexpr int kCopySplitLine = 1200;

// A creation has its first point.
constexpr bool IsDrawingInProgress(int mode) {
    return mode % 10 == 1;
}

// Several objects are selected; mixed selections count as several.
bool IsMultiSelect(int mode);

// The coordinate entry box serves the outline modes alone.
constexpr bool AllowsCoordinateInput(int mode) {
    return mode >= kCeiling && mode <= kFloorDrawing;
}

}  // namespace EditMode
