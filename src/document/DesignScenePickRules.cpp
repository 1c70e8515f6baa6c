#include "document/DesignScenePickRules.h"

#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"

namespace pick_rules {

bool IsSeenFromEye(int type, float level, float eyeY) {
    if (type == kFloorObjectType) {
        return eyeY > level;
    }
    if (type == kCeilingObjectType) {
        return eyeY < level;
    }
    return true;
}

bool AcceptsRay(int type, const gfx::Vector3& direction) {
    return type != kPhotoObjectType || CPhotoObject::IsFrontHit(direction);
}

}  // namespace pick_rules
