#pragma once

// The kind of a design object. The scene store keeps one list per code 0 to
// 20, and design files and undo records store the codes.
inline constexpr int kNoObjectType = -1;  // a bare root, a shape set, the camera marker
inline constexpr int kModelObjectType = 0;
inline constexpr int kWallObjectType = 1;
inline constexpr int kLightObjectType = 2;
inline constexpr int kText3DObjectType = 3;
inline constexpr int kPhotoObjectType = 4;
inline constexpr int kFloorObjectType = 5;
inline constexpr int kCeilingObjectType = 6;
inline constexpr int kLineShapeType = 7;
inline constexpr int kRectShapeType = 8;
inline constexpr int kCircleShapeType = 9;
inline constexpr int kCurveShapeType = 10;
inline constexpr int kChainShapeType = 11;
inline constexpr int kDimensionShapeType = 12;
inline constexpr int kTextShapeType = 13;
inline constexpr int kDxfIconShapeType = 14;
inline constexpr int kImageShapeType = 15;
inline constexpr int kModelIconShapeType = 16;
inline constexpr int kPhotoIconShapeType = 17;
inline constexpr int kLightIconShapeType = 18;
inline constexpr int kBaseDrawingType = 19;  // a selection kind only; no class has it
inline constexpr int kGroupShapeType = 20;

// The plan symbol list of a model, photo or light; kNoObjectType for the
// other types, which have no symbol.
inline constexpr int PlanSymbolTypeOf(int type) {
    switch (type) {
        case kModelObjectType:
            return kModelIconShapeType;
        case kPhotoObjectType:
            return kPhotoIconShapeType;
        case kLightObjectType:
            return kLightIconShapeType;
        default:
            return kNoObjectType;
    }
}
