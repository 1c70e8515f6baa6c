#include "document/PickedKindOfType.h"

#include "objects/ObjectTypeCodes.h"

std::optional<CHousDoc::PickedKind> PickedKindOfType(int type) {
    switch (type) {
        case kModelObjectType:
            return CHousDoc::PickedKind::Model;
        case kWallObjectType:
            return CHousDoc::PickedKind::Wall;
        case kLightObjectType:
            return CHousDoc::PickedKind::Light;
        case kText3DObjectType:
            return CHousDoc::PickedKind::Text3D;
        case kPhotoObjectType:
            return CHousDoc::PickedKind::Photo;
        case kFloorObjectType:
            return CHousDoc::PickedKind::Floor;
        case kCeilingObjectType:
            return CHousDoc::PickedKind::Ceiling;
        default:
            return std::nullopt;
    }
}
