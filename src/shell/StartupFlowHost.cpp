#include "shell/StartupFlowHost.h"

#include <cstdio>
#include <string>

#include "document/HousDoc.h"
#include "platform/desktop/DesignFileAssociation.h"
#include "shell/DesignManagerDlg.h"
#include "shell/MainFrame.h"
#include "shell/StartupFlow.h"

namespace {

// The design manager and the frame's design commands behind the loop.
class CStartupFlowHost : public IStartupFlowHost {
public:
    CStartupFlowHost(CMainFrame& frame, CHousDoc& document)
        : m_frame(frame), m_document(document) {}

    int ShowDesignManager(std::string& chosenPath) override {
        const DesignManagerResult result = RunStartupDesignManager(&m_frame, m_document);
        chosenPath = result.designPath;
        return static_cast<int>(result.choice);
    }
    void NewDesign() override { m_frame.GetCommands().NewDesign(); }
    bool OpenDesignFromDialog() override { return m_frame.GetCommands().OpenDesignFromDialog(); }
    bool LoadChosenDesign(const std::string& path) override {
        return m_frame.GetCommands().LoadChosenDesign(path);
    }
    bool CloseDesign() override { return m_frame.GetCommands().CloseDesign(); }
    // Walk-through recordings are not kept yet: a design has none.
    bool HasBrowseRecording() const override { return false; }
    void SetShowMode(int flag) override { m_document.SetShowMode(flag); }
    void SetEditMode(int mode) override { m_document.SetEditMode(mode); }
    void Activate3DViewFrame() override { m_document.Activate3DViewFrame(); }
    void CloseMainWindow() override { m_frame.Close(); }

private:
    CMainFrame& m_frame;
    CHousDoc& m_document;
};

}  // namespace

void RunStartupFlow(CMainFrame& frame) {
    CHousDoc* document = frame.GetActiveChildDocument();
    if (document == nullptr) {
        return;
    }
    // Design files open with this program from the desktop; a registration
    // that fails costs only that, so it is logged and the start goes on.
    const desktop::AssociationReport association =
        desktop::RegisterDesignFileAssociation(desktop::AssociationSetup::ForProcess());
    std::fprintf(stderr, "velmora: %s\n", association.Describe().c_str());
    CStartupFlowHost host(frame, *document);
    RunStartupDesignLoop(host);
}

void RunBackToMainMenu(CMainFrame& frame) {
    CHousDoc* document = frame.GetActiveChildDocument();
    if (document == nullptr) {
        return;
    }
    CStartupFlowHost host(frame, *document);
    RunBackToMenuLoop(host);
}
