#include "document/ScreenDragOffset.h"

#include "foundation/GeometryMath.h"
#include "foundation/Vector2D.h"
#include "platform/gfx/VectorMath.h"

namespace {

// The distance at which one pixel moves an object by one unit.
constexpr double kUnitPixelDistance = 600.0;

}  // namespace

PlanDragOffset CursorOffsetAlongHeading(POINT cursor, POINT reference, double heading) {
    const CVector2D turned = CVector2D(static_cast<double>(cursor.x) - reference.x,
                                       static_cast<double>(cursor.y) - reference.y)
                                 .RotateDegrees(RadiansToDegrees(heading));
    return {static_cast<double>(TruncateToInt(turned.x)),
            static_cast<double>(TruncateToInt(turned.y))};
}

PlanDragOffset ScreenDragToWorldOffset(const gfx::Vector3& position, const gfx::Vector3& eye,
                                       double heading, POINT reference, POINT cursor) {
    PlanDragOffset offset = CursorOffsetAlongHeading(cursor, reference, heading);
    if (eye.y < 0.0f) {
        offset.forward = -offset.forward;
    }
    const double scale = gfx::Vec3Length(position - eye) / kUnitPixelDistance;
    return {scale * offset.sideways, scale * offset.forward};
}
