#include "shell/StartupFlow.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// Answers the manager with scripted codes and logs every step the loop takes.
class FakeStartupHost : public IStartupFlowHost {
public:
    std::deque<int> choices;
    std::deque<bool> openResults;
    bool loadResult = true;
    bool closeResult = true;
    bool recording = false;
    std::string log;

    int ShowDesignManager(std::string& chosenPath) override {
        log += "manager;";
        if (choices.empty()) {
            ADD_FAILURE() << "the manager was shown once too often";
            return kStartupLeave;
        }
        const int choice = choices.front();
        choices.pop_front();
        if (choice == kStartupOpenChosen) {
            chosenPath = "/designs/house.dg6";
        }
        return choice;
    }
    void NewDesign() override { log += "new;"; }
    bool OpenDesignFromDialog() override {
        log += "open;";
        const bool opened = openResults.front();
        openResults.pop_front();
        return opened;
    }
    bool LoadChosenDesign(const std::string& path) override {
        log += "load " + path + ";";
        return loadResult;
    }
    bool CloseDesign() override {
        log += "close;";
        return closeResult;
    }
    bool HasBrowseRecording() const override { return recording; }
    void SetShowMode(int flag) override { log += "show " + std::to_string(flag) + ";"; }
    void SetEditMode(int mode) override { log += "edit " + std::to_string(mode) + ";"; }
    void Activate3DViewFrame() override { log += "activate;"; }
    void CloseMainWindow() override { log += "quit;"; }
};

struct FlowCase {
    const char* name;
    std::vector<int> choices;
    std::vector<bool> openResults;
    bool loadResult;
    bool recording;
    const char* startupLog;
    const char* backToMenuLog;  // after the design was closed
};

TEST(StartupFlowTest, EachChoiceRunsItsCommandAndEndsOrShowsTheManagerAgain) {
    const std::vector<FlowCase> cases = {
        {"new design", {0}, {}, true, false, "manager;new;", "manager;new;activate;"},
        {"open dialog", {1}, {true}, true, false, "manager;open;", "manager;open;activate;"},
        {"cancelled open shows the manager again",
         {1, 1},
         {false, true},
         true,
         false,
         "manager;open;manager;open;",
         "manager;open;manager;open;activate;"},
        {"chosen design without a recording",
         {2},
         {},
         true,
         false,
         "manager;load /designs/house.dg6;show 1;edit 911;",
         "manager;load /designs/house.dg6;activate;"},
        {"chosen design with a recording",
         {2},
         {},
         true,
         true,
         "manager;load /designs/house.dg6;show 1;edit 915;",
         "manager;load /designs/house.dg6;activate;"},
        {"a chosen design that fails to load still ends the loop without modes",
         {2},
         {},
         false,
         true,
         "manager;load /designs/house.dg6;",
         "manager;load /designs/house.dg6;activate;"},
        {"leave closes the main window", {3}, {}, true, false, "manager;quit;", "manager;quit;"},
        {"unknown codes show the manager again",
         {4, -1, 7, 0},
         {},
         true,
         false,
         "manager;manager;manager;manager;new;",
         "manager;manager;manager;manager;new;activate;"},
    };
    for (const FlowCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeStartupHost startup;
        startup.choices.assign(c.choices.begin(), c.choices.end());
        startup.openResults.assign(c.openResults.begin(), c.openResults.end());
        startup.loadResult = c.loadResult;
        startup.recording = c.recording;
        RunStartupDesignLoop(startup);
        EXPECT_EQ(startup.log, c.startupLog);
        EXPECT_TRUE(startup.choices.empty());

        FakeStartupHost back;
        back.choices.assign(c.choices.begin(), c.choices.end());
        back.openResults.assign(c.openResults.begin(), c.openResults.end());
        back.loadResult = c.loadResult;
        back.recording = c.recording;
        RunBackToMenuLoop(back);
        EXPECT_EQ(back.log, std::string("close;") + c.backToMenuLog);
        EXPECT_TRUE(back.choices.empty());
    }
}

TEST(StartupFlowTest, BackToMenuDoesNothingMoreWhenTheUserKeepsTheDesign) {
    FakeStartupHost host;
    host.closeResult = false;
    RunBackToMenuLoop(host);
    EXPECT_EQ(host.log, "close;");
}

}  // namespace
