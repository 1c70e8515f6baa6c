#pragma once

// A document on a fresh program folder, with messages answered and
// counted, and a stand-in for the scene store's camera link.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "platform/gfx/MathTypes.h"
#include "support/TempFolder.h"
#include "view3d/SceneCameraLink.h"

class ViewDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(m_root.Path());
        m_prompts = std::make_unique<CScopedPromptHandlers>([this](const MessageRequest& request) {
            messages.push_back(request.text);
            return PromptAnswer::Ok;
        });
        doc = std::make_unique<CHousDoc>();
    }

    void TearDown() override {
        doc.reset();
        m_prompts.reset();
    }

    std::unique_ptr<CHousDoc> doc;
    std::vector<std::string> messages;

private:
    TempFolder m_root;
    std::unique_ptr<CScopedPromptHandlers> m_prompts;
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
