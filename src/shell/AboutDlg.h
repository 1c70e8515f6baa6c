#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>

// Opens a web address in the user's browser; false when none could be started.
using BrowserLauncher = std::function<bool(const std::string& address)>;

// The About box: the program's picture, its title with the build date, OK
// and a button that opens the maker's web site.
class CAboutDlg : public wxDialog {
public:
    enum { kVisitSiteId = 1136 };

    // Without a launcher the desktop's default browser is used.
    explicit CAboutDlg(wxWindow* parent, BrowserLauncher launcher = {});

    // Opens the site; the user is told when that fails.
    void VisitSite();

private:
    BrowserLauncher m_launcher;
};

// The program's title and build date as the About box shows them.
std::string MakeAboutTitle();
