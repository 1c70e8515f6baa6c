#pragma once

#include <string_view>

#include "document/MainWindowLink.h"

// The main window as its commands reach it: what the document asks of it
// (timers, bars) and its title.
class IMainFrameWindow : public IMainWindow {
public:
    // The product title, followed by " - " and the text when there is one.
    virtual void SetFrameTitle(std::string_view text) = 0;
};
