#pragma once

#include <wx/clntdata.h>

#include <filesystem>
#include <memory>
#include <string>

class CMainFrame;
class CRecentFileList;
class wxUpdateUIEvent;

// The commands the application answers on the main frame itself: back to the
// design manager, the recent designs, About and print setup. The frame owns
// it as its client object, so the handlers live exactly as long as the frame.
class CApplicationCommands : public wxClientData {
public:
    // recentFiles may be null (no config file): the list is then empty.
    CApplicationCommands(CMainFrame& frame, std::unique_ptr<CRecentFileList> recentFiles,
                         std::filesystem::path temporaryFolder);
    ~CApplicationCommands() override;

    // Makes the commands, binds them on the frame and hands the frame to it.
    static CApplicationCommands& Attach(CMainFrame& frame,
                                        std::unique_ptr<CRecentFileList> recentFiles,
                                        std::filesystem::path temporaryFolder);

    // Entry index of the list: opened when the file is there, else named
    // and dropped from the list.
    void OpenRecentFile(int index);
    void ShowAbout();

    CRecentFileList* GetRecentFiles() const { return m_recentFiles.get(); }
    const std::filesystem::path& GetTemporaryFolder() const { return m_temporaryFolder; }

private:
    void Bind();
    void AddRecentFile(const std::string& path);
    void SaveRecentFiles();
    void OnUpdateRecentFile(wxUpdateUIEvent& event);

    CMainFrame& m_frame;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::filesystem::path m_temporaryFolder;
};
