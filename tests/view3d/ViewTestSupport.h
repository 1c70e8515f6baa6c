#pragma once

// A document on a fresh program folder, with messages answered and
// counted, and a stand-in for the scene store's camera link.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "document/DocumentFixture.h"
#include "document/HousDoc.h"
#include "platform/gfx/MathTypes.h"
#include "support/LightGlyphs.h"
#include "view3d/SceneCameraLink.h"

class ViewDocumentTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        CopyLightGlyphs(GetProgramFolder());
        doc = std::make_unique<CHousDoc>();
    }

    void TearDown() override {
        doc.reset();
        DocumentTest::TearDown();
    }

    std::unique_ptr<CHousDoc> doc;
};

struct Box {
    gfx::Vector3 min;
    gfx::Vector3 max;
};

class FakeScene : public ISceneCameraLink {
public:
    bool GetSelectionBounds(gfx::Vector3* min, gfx::Vector3* max) const override {
        return Give(selection, min, max);
    }
    bool GetSceneBounds(gfx::Vector3* min, gfx::Vector3* max) const override {
        return Give(scene, min, max);
    }
    void OnCameraMoved(float heading, float pitch, const gfx::Vector3& eye) override {
        ++moves;
        lastHeading = heading;
        lastPitch = pitch;
        lastEye = eye;
    }

    std::optional<Box> selection;
    std::optional<Box> scene;
    int moves = 0;
    float lastHeading = 0.0f;
    float lastPitch = 0.0f;
    gfx::Vector3 lastEye;

private:
    static bool Give(const std::optional<Box>& box, gfx::Vector3* min, gfx::Vector3* max) {
        if (!box) {
            return false;
        }
        *min = box->min;
        *max = box->max;
        return true;
    }
};
