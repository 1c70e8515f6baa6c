#include "platform/desktop/WebLink.h"

#include <wx/string.h>
#include <wx/utils.h>

#include <utility>

#include "platform/text/AsciiCase.h"

namespace desktop {

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::EqualsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

// A space or control character would split or bend the argument.
bool HasUnsafeCharacter(std::string_view text) {
    for (unsigned char c : text) {
        if (c <= 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

bool LaunchDefaultBrowser(const std::string& url) {
    return wxLaunchDefaultBrowser(wxString::FromUTF8(url));
}

WebLinkLauncher& Launcher() {
    static WebLinkLauncher launcher = LaunchDefaultBrowser;
    return launcher;
}

}  // namespace

std::optional<std::string> GetWebLinkUrl(std::string_view text) {
    if (text.empty() || HasUnsafeCharacter(text)) {
        return std::nullopt;
    }
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (StartsWithIgnoringCase(text, scheme) && text.size() > scheme.size()) {
            return std::string(text);
        }
    }
    if (StartsWithIgnoringCase(text, "www.") && text.size() > 4) {
        return "http://" + std::string(text);
    }
    return std::nullopt;
}

void SetWebLinkLauncher(WebLinkLauncher launcher) {
    Launcher() = launcher ? std::move(launcher) : WebLinkLauncher(LaunchDefaultBrowser);
}

bool OpenWebLink(std::string_view text) {
    const std::optional<std::string> url = GetWebLinkUrl(text);
    return url && Launcher()(*url);
}

}  // namespace desktop
