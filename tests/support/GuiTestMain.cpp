// main() of the GUI test binaries: starts wx without entering its main loop,
// with the program's font mapping, turns wx asserts into test failures, sends
// logs to stderr and ends a stuck test with a watchdog instead of hanging the
// run.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/draw/FontConfiguration.h"

namespace {

constexpr auto kWatchdogLimit = std::chrono::seconds(90);

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "wx assert in " << func.utf8_str() << ": " << cond.utf8_str() << " " << msg.utf8_str();
}

void StartWatchdog() {
    std::thread([] {
        std::this_thread::sleep_for(kWatchdogLimit);
        std::fprintf(stderr, "GUI test watchdog: still running after %lld s, aborting\n",
                     static_cast<long long>(kWatchdogLimit.count()));
        std::_Exit(3);
    }).detach();
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery) needs no display.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    StartWatchdog();
    // As in the program: GTK's text takes the current font configuration
    // when it starts, so the program's face mapping goes in first.
    draw::UseProgramFontConfiguration();
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot initialise wxWidgets (no display?)\n");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    delete wxLog::SetActiveTarget(new wxLogStderr());
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
