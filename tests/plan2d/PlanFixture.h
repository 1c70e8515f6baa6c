#pragma once

#include "../document/DocumentFixture.h"

// A document in a fresh program folder with fake plan and 3D views attached.
class PlanTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc = std::make_unique<CHousDoc>();
        doc->Attach2DView(&planView);
        doc->Attach3DView(&view3D);
    }
    void TearDown() override {
        doc.reset();
        DocumentTest::TearDown();
    }

    FakePlanView planView;
    Fake3DView view3D;
    std::unique_ptr<CHousDoc> doc;
};
