#include <wx/debug.h>
#include <wx/menu.h>

#include <gtest/gtest.h>

#include "shell/CommandIds.h"
#include "shell/RecentFileList.h"

namespace {

// wx asserts on menu ids of 32767 and above because Windows keeps only 16
// bits of them; GTK keeps them whole, and the command numbers are fixed. That
// one assert is let through here; any other still fails the test.
class AllowHighMenuIds {
public:
    AllowHighMenuIds() : m_saved(wxSetAssertHandler(&AllowHighMenuIds::Handle)) {}
    ~AllowHighMenuIds() { wxSetAssertHandler(m_saved); }

private:
    static void Handle(const wxString& file, int line, const wxString& func, const wxString& cond,
                       const wxString& msg) {
        if (msg != "invalid itemid value") {
            ADD_FAILURE_AT(file.utf8_str(), line) << "wx assert in " << func.utf8_str() << ": "
                                                  << cond.utf8_str() << " " << msg.utf8_str();
        }
    }
    wxAssertHandler_t m_saved;
};

// The menu's commands are the ones the application binds: entry i is
// kFirstRecentFile + i, and the menu follows every change of the list.
TEST(RecentFileMenuTest, MenuFollowsTheListWithTheRecentFileCommands) {
    AllowHighMenuIds highIds;
    CRecentFileList list("/nonexistent/velmora.conf");
    list.Add("/b/second.dg6");
    list.Add("/a/first & best.dg6");
    wxMenu menu;
    list.UseMenu(&menu);
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(menu.FindItemByPosition(0)->GetId(), cmd::kFirstRecentFile);
    EXPECT_EQ(menu.FindItemByPosition(1)->GetId(), cmd::kFirstRecentFile + 1);
    EXPECT_NE(menu.GetLabelText(cmd::kFirstRecentFile).Find("first & best.dg6"), wxNOT_FOUND)
        << menu.GetLabelText(cmd::kFirstRecentFile);

    list.Add("/c/third.dg6");
    ASSERT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_NE(menu.GetLabelText(cmd::kFirstRecentFile).Find("third.dg6"), wxNOT_FOUND);

    list.Remove(0);
    list.DropUnder("/b");
    ASSERT_EQ(menu.GetMenuItemCount(), 1u);
    EXPECT_EQ(menu.FindItemByPosition(0)->GetId(), cmd::kFirstRecentFile);
    EXPECT_NE(menu.GetLabelText(cmd::kFirstRecentFile).Find("first & best.dg6"), wxNOT_FOUND);
    list.RemoveMenu(&menu);
}

}  // namespace
