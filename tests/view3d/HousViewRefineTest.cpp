#include <gtest/gtest.h>
#include <wx/event.h>

#include <optional>
#include <string>
#include <vector>

#include "ShownViewFixture.h"
#include "document/ActiveDocumentServices.h"
#include "foundation/ActiveDocument.h"
#include "foundation/RefineLevelPrompt.h"
#include "foundation/Vector2D.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "view3d/ContextMenuTable.h"

namespace {

// A wall of 200 x 200 x 280 whose near side stands across the camera's view
// at z = 300.
class HousViewRefineTest : public ShownViewTest {
protected:
    void SetUp() override {
        ShownViewTest::SetUp();
        // The wall records its refinement with the active design.
        SetActiveHousDocAccessor([this] { return &m_doc; });
        m_previousServices = SetDocumentServices(&m_services);
        auto* wall = new CWallObject();
        wall->SetDevice(m_view->GetEngine().GetDevice());
        wall->SetOutline({{0, 0}, {0, 200}, {200, 200}, {200, 0}});
        ASSERT_EQ(wall->BuildMesh(1, 280.0f), 1);
        wall->SetUniformScale(1.0f);
        wall->SetPosition(-100, -140, 300);
        wall->UpdateWorldMatrix();
        m_view->GetScene()->AddObjectIfAbsent(kWallObjectType, wall);
        m_wall = wall;
        m_view->RepaintNow();
    }

    void TearDown() override {
        SetDocumentServices(m_previousServices);
        SetActiveHousDocAccessor({});
        ShownViewTest::TearDown();
    }

    // The part under the window's centre once a click picked it.
    int ClickCentre() {
        const wxSize size = m_view->GetClientSize();
        const wxPoint centre(size.x / 2, size.y / 2);
        Mouse(wxEVT_LEFT_DOWN, centre, true);
        Mouse(wxEVT_LEFT_UP, centre, false);
        return m_wall->GetFaceMaterialIndex(m_view->GetPicked().face);
    }

    std::optional<bool> RefineChecked() {
        wxUpdateUIEvent event(context_menu::kRefine);
        event.SetEventObject(m_view);
        m_view->GetEventHandler()->ProcessEvent(event);
        if (!event.GetEnabled()) {
            return std::nullopt;
        }
        return event.GetChecked();
    }

    std::vector<std::pair<int, int>> m_asked;
    CScopedRefineLevelHandler m_levels{[this](int width, int height) {
        m_asked.emplace_back(width, height);
        return std::optional<int>(1);
    }};
    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
    CWallObject* m_wall = nullptr;
};

}  // namespace

TEST_F(HousViewRefineTest, RefineCommandSwitchesThePickedFaceAndUndoes) {
    EXPECT_EQ(RefineChecked(), std::nullopt);
    const int part = ClickCentre();
    ASSERT_GE(part, 2);
    ASSERT_EQ(RefineChecked(), std::optional<bool>(false));
    const std::size_t vertices = m_wall->GetMeshVertices().size();

    // Refused while another long operation runs.
    m_doc.SetBusy(1);
    m_view->RunViewCommand(context_menu::kRefine);
    EXPECT_TRUE(m_asked.empty());
    m_doc.SetBusy(0);

    m_view->RunViewCommand(context_menu::kRefine);
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_wall->GetRefineRecords()[part].flag, 1);
    EXPECT_EQ(m_wall->GetMeshVertices().size(), vertices + 6);
    EXPECT_EQ(m_messages, std::vector<std::string>{"細化處理完成!"});
    EXPECT_EQ(m_doc.GetBusy(), 0);
    EXPECT_EQ(m_doc.GetDesignModified(), 1);

    m_doc.Undo();
    EXPECT_EQ(m_wall->GetRefineRecords()[part].flag, 0);
    EXPECT_EQ(m_wall->GetMeshVertices().size(), vertices);
    m_doc.Redo();
    EXPECT_EQ(m_wall->GetRefineRecords()[part].flag, 1);
}
