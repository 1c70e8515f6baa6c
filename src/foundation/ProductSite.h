#pragma once

#include <string_view>

// The maker's web site: the About box opens it and the too-new-design
// message sends the user there for an update.
inline constexpr std::string_view kProductSiteAddress = "https://velmora.example.org";
