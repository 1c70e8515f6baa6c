#include "document/ActiveDocumentServices.h"

#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"

TEST_F(DocumentTest, ObjectsSeeTheActiveDocumentsColoursAndMissingFiles) {
    CHousDoc doc;
    doc.Settings().lightColor = 0x00112233;
    SetActiveHousDocAccessor([&] { return &doc; });
    CActiveDocumentServices services;
    IDocumentServices* previous = SetDocumentServices(&services);

    EXPECT_EQ(GetDocumentServices().GetPlanColor(PlanColorSetting::Light), 0x00112233u);
    GetDocumentServices().AddMissingFile("chair.qvx");
    EXPECT_EQ(GetDocumentServices().Get2DIconFolder(), doc.Get2DIconFolder());

    SetDocumentServices(previous);
    SetActiveHousDocAccessor({});
    ASSERT_EQ(doc.GetMissingFiles().size(), 1u);
    EXPECT_EQ(doc.GetMissingFiles().front(), "chair.qvx");
}
