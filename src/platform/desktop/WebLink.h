#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace desktop {

// Opens a library entry's web link in the user's browser. The link is handed
// over as one argument, never through a shell, and only web addresses are
// accepted: anything else could name a local program or an option.

// The address the browser is given: an http or https link as it is, a link
// beginning with "www." with "http://" in front; nothing for any other text
// (other schemes, local paths, text beginning with '-', blanks or control
// characters inside).
std::optional<std::string> GetWebLinkUrl(std::string_view text);

// What starts the browser with one address; true when it started.
using WebLinkLauncher = std::function<bool(const std::string& url)>;

// Tests put their own launcher in; an empty one brings back the default
// browser's.
void SetWebLinkLauncher(WebLinkLauncher launcher);

// False when the text is no web address or the browser did not start; the
// caller tells the user.
bool OpenWebLink(std::string_view text);

}  // namespace desktop
