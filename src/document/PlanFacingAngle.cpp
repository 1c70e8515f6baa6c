#include "document/PlanFacingAngle.h"

#include <cmath>

#include "foundation/GeometryMath.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "platform/gfx/MathTypes.h"

float PlanFacingAngle(const gfx::Vector3& photo, const gfx::Vector3& camera) {
    const double dx = static_cast<double>(photo.x) - camera.x;
    const double dz = static_cast<double>(photo.z) - camera.z;
    double f = 0.0;
    if (dz != 0.0) {
        f = std::fabs(std::atan(dx / dz));
        if (dx >= 0.0) {
            f = dz >= 0.0 ? kPi - f : f;
        } else {
            f = dz >= 0.0 ? f + kPi : kTwoPi - f;
        }
    } else if (dx > 0.0) {
        f = kPi / 2.0;
    } else if (dx < 0.0) {
        f = -kPi / 2.0;
    }
    double g = kPi + f;
    if (g >= kTwoPi) {
        g -= kTwoPi;
    }
    return static_cast<float>(g);
}

void TurnToCamera(C3DObject& photo, const gfx::Vector3& camera) {
    const float heading = PlanFacingAngle(photo.GetPosition(), camera);
    photo.SetRotation(heading, static_cast<float>(photo.GetElevation()),
                      static_cast<float>(photo.GetRoll()));
    if (C2DPictureShape* icon = photo.GetPlanIcon()) {
        icon->SetAngle(heading);
    }
}
