#pragma once

#include <memory>
#include <string>
#include <vector>

#include "../document/DocumentFixture.h"
#include "objects/2DShape.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/WallObject.h"

// A plan shape with one vertex, one midpoint and one free end at fixed
// drawing points, for the snapping order.
class FakePointShape : public C2DShape {
public:
    FakePointShape(POINT vertex, POINT midpoint, POINT freeEnd)
        : m_vertex(vertex), m_midpoint(midpoint), m_freeEnd(freeEnd) {}

    int HitVertex(POINT& point, int tolerance) const override {
        return Take(point, m_vertex, tolerance);
    }
    int HitMidPoint(POINT& point, int tolerance) const override {
        return Take(point, m_midpoint, tolerance);
    }
    int HitFreeEndPoint(POINT& point, int tolerance) const override {
        return Take(point, m_freeEnd, tolerance);
    }

private:
    static int Take(POINT& point, POINT target, int tolerance) {
        if (std::abs(point.x - target.x) >= tolerance ||
            std::abs(point.y - target.y) >= tolerance) {
            return 0;
        }
        point = target;
        return 1;
    }

    POINT m_vertex;
    POINT m_midpoint;
    POINT m_freeEnd;
};

// A scene of two storeys: the ground storey (0 .. 260) has a square room of
// walls, a floor and a ceiling over stored (0, 0) .. (400, 300); the upper
// storey (from 300) has one wall far to the right. The camera stands on
// the ground storey.
class PlanPickingTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        SetBar("260", "0");
        room = scene->AddWallFromOutline(Rectangle(0, 0, 400, 300));
        floor = scene->AddFloorFromOutline(Rectangle(0, 0, 400, 300));
        ceiling = scene->AddCeilingFromOutline(Rectangle(0, 0, 400, 300));
        SetBar("560", "300");
        upperFloor = scene->AddFloorFromOutline(Rectangle(1000, 0, 1400, 300));
        upperWall = scene->AddWallFromOutline(Rectangle(1000, 0, 1400, 300));
        scene->RebuildFloorLevels();
        ASSERT_NE(room, nullptr);
        ASSERT_NE(upperWall, nullptr);
        doc->SetEditMode(0);
        view3D.hints.clear();
    }

    void SetBar(const char* top, const char* bottom) {
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, top);
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, bottom);
    }

    // Stored form: y up.
    static std::vector<CVector2D> Rectangle(double left, double bottom, double right, double top) {
        return {{left, bottom}, {left, top}, {right, top}, {right, bottom}};
    }

    // The scene owns the shape.
    FakePointShape* AddShape(int type, POINT vertex, POINT midpoint, POINT freeEnd) {
        auto shape = std::make_unique<FakePointShape>(vertex, midpoint, freeEnd);
        FakePointShape* raw = shape.get();
        scene->Objects(type).push_back(shape.release());
        return raw;
    }

    void HideLayers(uint32_t bits) { doc->Settings().show2DState &= ~static_cast<int32_t>(bits); }

    CWallObject* room = nullptr;
    CFloorObject* floor = nullptr;
    CCeilingObject* ceiling = nullptr;
    CFloorObject* upperFloor = nullptr;
    CWallObject* upperWall = nullptr;
};
