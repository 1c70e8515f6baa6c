#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/EditMode.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/desktop/WebLink.h"
#include "platform/fs/StoredPath.h"
#include "platform/media/SoundFile.h"
#include "view3d/ContextMenuTable.h"
#include "view3d/ShownViewFixture.h"

namespace {

constexpr int kShowEditMode = 950;

// A model with a web link in front of the camera; the browser and the sound
// player are fakes that note what they were given, in order.
class HousViewShowModeTest : public ShownViewTest {
protected:
    void SetUp() override {
        ShownViewTest::SetUp();
        m_model = AddBox(kModelObjectType, {-50, -50, -50}, {50, 50, 50});
        m_view->RepaintNow();
        desktop::SetWebLinkLauncher([this](const std::string& url) {
            m_opened.push_back(url);
            m_steps.push_back("open " + url);
            return true;
        });
        media::SetSoundFilePlayer([this](const std::string& path) {
            m_steps.push_back("play " + path);
            return true;
        });
    }

    void TearDown() override {
        media::SetSoundFilePlayer({});
        desktop::SetWebLinkLauncher({});
        ShownViewTest::TearDown();
    }

    [[nodiscard]] wxPoint Centre() const {
        const wxSize size = m_view->GetClientSize();
        return {size.x / 2, size.y / 2};
    }

    void Click(wxPoint at) {
        Mouse(wxEVT_LEFT_DOWN, at, true);
        Mouse(wxEVT_LEFT_UP, at, false);
    }

    CTest3DObject* m_model = nullptr;
    std::vector<std::string> m_opened;
    std::vector<std::string> m_steps;
};

TEST_F(HousViewShowModeTest, AClickOpensTheObjectsLinkAndLeavesNothingSelected) {
    m_model->SetWebLink("www.example.com/sofa");
    m_doc.SetShowMode(1);
    m_doc.SetEditMode(EditMode::kShow);
    Mouse(wxEVT_LEFT_DOWN, Centre(), true);
    Mouse(wxEVT_LEFT_UP, Centre(), false);
    EXPECT_EQ(m_opened, (std::vector<std::string>{"http://www.example.com/sofa"}));
    EXPECT_EQ(SelectedCount(), 0u);
    EXPECT_EQ(m_model->IsSelected(), 0);
    EXPECT_TRUE(m_messages.empty());

    // Beside the model nothing is hit and nothing opens.
    Mouse(wxEVT_LEFT_DOWN, {3, 3}, true);
    EXPECT_EQ(m_opened.size(), 1u);

    // A link that is no web address is refused, and the user told.
    m_model->SetWebLink("-x /etc/passwd");
    Mouse(wxEVT_LEFT_DOWN, Centre(), true);
    EXPECT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_messages, (std::vector<std::string>{"無法開啟網站!"}));

    // Edit mode 950 counts as show mode too.
    m_model->SetWebLink("https://example.com");
    m_doc.SetShowMode(0);
    m_doc.SetEditMode(kShowEditMode);
    Mouse(wxEVT_LEFT_DOWN, Centre(), true);
    EXPECT_EQ(m_opened.size(), 2u);

    // Outside show mode a click only selects.
    m_doc.SetEditMode(EditMode::kNone);
    Mouse(wxEVT_LEFT_DOWN, Centre(), true);
    Mouse(wxEVT_LEFT_UP, Centre(), false);
    EXPECT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(SelectedCount(), 1u);
}

TEST_F(HousViewShowModeTest, AClickPlaysThePickedObjectsSoundAfterItsLink) {
    const std::string sound = m_programFolder.Write("音效/ding.wav", "RIFF").string();
    m_doc.SetShowMode(1);
    m_doc.SetEditMode(EditMode::kShow);
    m_model->SetWebLink("www.example.com");

    // Designs keep Windows paths, and a name matches ignoring case.
    const struct {
        const char* what;
        std::string stored;
        std::vector<std::string> steps;
    } cases[] = {
        {"local",
         pfs::ToStoredPath((m_programFolder.Path() / "音效/DING.wav").string()),
         {"open http://www.example.com", "play " + sound}},
        {"relative", "音效\\Ding.wav", {"open http://www.example.com", "play " + sound}},
        {"other drive", "C:\\WINDOWS\\Media\\ding.wav", {"open http://www.example.com"}},
        {"none", "", {"open http://www.example.com"}},
    };
    for (const auto& c : cases) {
        m_steps.clear();
        m_model->SetTriggerSound(c.stored);
        Click(Centre());
        EXPECT_EQ(m_steps, c.steps) << c.what;
    }

    // A link that cannot be opened does not keep the sound from playing.
    m_steps.clear();
    m_model->SetWebLink("file:///etc/passwd");
    m_model->SetTriggerSound("音效\\ding.wav");
    Click(Centre());
    EXPECT_EQ(m_steps, (std::vector<std::string>{"play " + sound}));
    EXPECT_EQ(m_messages, (std::vector<std::string>{"無法開啟網站!"}));

    // The object clicked sounds, not one picked by an earlier click.
    CTest3DObject* text = AddBox(kText3DObjectType, {-150, -40, -50}, {-70, 40, 50});
    text->SetTriggerSound("音效\\text.wav");
    m_view->RepaintNow();
    m_steps.clear();
    Click(WindowPoint(-110, 0, -50));
    EXPECT_EQ(
        m_steps,
        (std::vector<std::string>{"play " + (m_programFolder.Path() / "音效/text.wav").string()}));
}

TEST_F(HousViewShowModeTest, MenusOfferTheCommandsThatAreAnswered) {
    using namespace context_menu;
    auto commandsOf = [](const std::vector<MenuItem>& items) {
        std::vector<int> commands;
        for (const MenuItem& item : items) {
            commands.push_back(item.children.empty() ? item.command : -1);
        }
        return commands;
    };
    // Nothing selected and no frame behind the view: only what the view
    // answers itself.
    EXPECT_EQ(commandsOf(m_view->GetContextMenuItems()), std::vector<int>{kShowAll});

    m_view->GetScene()->Selected(kModelObjectType).push_back(m_model);
    // The view answers its delete and shadow-picture commands itself.
    std::vector<MenuItem> offered = m_view->GetContextMenuItems();
    // -1: the plan icon submenu, whose three commands the view answers.
    EXPECT_EQ(commandsOf(offered), (std::vector<int>{kShowMirrorImages, kShowShadow, kHide,
                                                     kShowAll, kDelete, -1, kAddShadowPicture}));

    m_view->SetCommandFilter([](int command) { return command != kReplace; });
    offered = m_view->GetContextMenuItems();
    EXPECT_EQ(offered.size(), GetMenuItems(kModelMenu).size() - 1);

    // The modify command runs on a double click when it is answered.
    std::vector<int> ran;
    m_frame->Bind(wxEVT_MENU, [&ran](wxCommandEvent& event) { ran.push_back(event.GetId()); });
    Mouse(wxEVT_LEFT_DCLICK, Centre(), true);
    EXPECT_EQ(ran, (std::vector<int>{kModify}));
    m_view->SetCommandFilter({});
    Mouse(wxEVT_LEFT_DCLICK, Centre(), true);
    EXPECT_EQ(ran.size(), 1u);
}

}  // namespace
