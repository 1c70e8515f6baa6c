#include <gtest/gtest.h>

#include <vector>

#include "document/DesignScene.h"
#include "objects/Test3DObject.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/PlaneMath.h"

// The object is a thin upright stick on the y axis, so that every distance
// to an eye on that axis is exact: a corner at height y below the floor
// mirror is 100 - y from the eye at 100, and its image 100 + y.
TEST(MirrorCullingTest, ReflectionsAreSkippedBehindTheMirrorOrBeyondTheTolerance) {
    const gfx::Plane floor = gfx::PlaneFromPointNormal({0, 0, 0}, {0, 1, 0});
    struct Case {
        const char* what;
        gfx::Plane plane;
        float bottom, top;
        float raise;
        int tolerance;
        gfx::Vector3 eye;
        bool culled;
    };
    const std::vector<Case> cases = {
        {"a plane of zeros reflects nothing", gfx::Plane{}, 10, 20, 0, 10, {0, 100, 0}, true},
        {"wholly in front", floor, 10, 20, 0, 10, {0, 100, 0}, false},
        {"wholly behind the mirror", floor, -20, -10, 0, 10, {0, 100, 0}, true},
        {"seen from below, the room is behind", floor, 10, 20, 0, 10, {0, -100, 0}, true},
        {"reaching exactly the tolerance through", floor, -5, 20, 0, 10, {0, 100, 0}, false},
        {"reaching beyond it", floor, -5.5f, 20, 0, 10, {0, 100, 0}, true},
        {"a wider tolerance keeps it", floor, -5.5f, 20, 0, 20, {0, 100, 0}, false},
        {"placed by its world matrix", floor, 5, 20, -10.5f, 10, {0, 100, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CDesignScene scene;
        scene.SetMirrorTolerance(c.tolerance);
        CTest3DObject stick;
        stick.MakeBox({0, c.bottom, 0}, {0, c.top, 0}, 1);
        stick.SetPosition(0, c.raise, 0);
        EXPECT_EQ(
            scene.IsBoxOutsidePlaneAndSphere(stick, c.plane, gfx::MatrixReflect(floor), c.eye),
            c.culled);
    }
}
