#pragma once

#include <wx/dialog.h>
#include <wx/image.h>

#include <array>
#include <string>
#include <vector>

#include "shell/DesignManagerRules.h"

class CHousDoc;
class CGreyListBox;
class wxChoice;
class wxPanel;
class wxScrollBar;
class wxStaticText;
class wxButton;
class wxScrollEvent;

// What the start-up design manager ended with.
enum class DesignManagerChoice {
    NewDesign = 0,
    OpenDialog = 1,
    OpenPicked = 2,
    Leave = 3,
    None = 4,  // the window was closed without a choice
};

struct DesignManagerResult {
    DesignManagerChoice choice = DesignManagerChoice::None;
    std::string designPath;  // the picked design, with OpenPicked
};

// Shows the start-up design manager modally over parent and returns the
// user's choice. The document's design path is as it was before the call:
// with OpenPicked the caller loads result.designPath and gives the document
// that path only when the load succeeds, so a failed load leaves the design
// untitled and a later save cannot overwrite the file that failed to load.
DesignManagerResult RunStartupDesignManager(wxWindow* parent, CHousDoc& document);

// The screen that greets the user at start-up: the designs of one showcase
// group as eight thumbnails, the picked design's file, preview and show
// information, and the choices new, open, open the picked design and leave.
class CDesignManagerDlg : public wxDialog {
public:
    enum {
        kSourceId = 1316,
        kGroupId = 1282,
        kScrollId = 1214,
        kFileNameId = 1313,
        kInformationId = 1346,
        kPreviewId = 1322,
        kManageId = 1142,
        kNewId = 1136,
        kOpenId = 1137,
        kLeaveId = 1141,
        kLoadId = 32932,
        kRemoveId = 32930,
        kFirstThumbnailId = 1206,
        kFirstCaptionId = 1228,
    };

    CDesignManagerDlg(wxWindow* parent, CHousDoc& document);
    ~CDesignManagerDlg() override;

    DesignManagerChoice GetChoice() const { return m_choice; }

    // The entries of the shown group, the picked one (-1: none) and the
    // first one shown in the thumbnails.
    const std::vector<DesignManagerEntry>& GetEntries() const { return m_group.entries; }
    int GetPicked() const { return m_picked; }
    int GetFirstShown() const { return m_scrollPosition * 2; }

    void Pick(int index);
    void OpenPicked();
    void RemovePicked();
    void Scroll(DesignScroll request, int thumbPosition = 0);
    void SelectSource(int source);
    void SelectGroup(int group);
    // The popup of a thumbnail's right button: whether "移除" may be chosen.
    bool CanRemovePicked() const;

private:
    void LoadGroup();
    void LayOutThumbnails();
    void ShowPreview();
    void FillGroups();
    void Finish(DesignManagerChoice choice);
    void OnNew();
    void OnOpen();
    void OnLeave();
    void OnThumbnailPaint(int slot);
    void OnThumbnailMenu(int slot);
    void OnScroll(wxScrollEvent& event);

    CHousDoc& m_document;
    DesignManagerChoice m_choice = DesignManagerChoice::None;
    DesignManagerGroup m_group;
    int m_picked = -1;
    int m_scrollPosition = 0;
    std::array<int, 2> m_lastGroup = {0, 0};

    wxChoice* m_source = nullptr;
    wxChoice* m_groups = nullptr;
    wxScrollBar* m_scroll = nullptr;
    wxStaticText* m_fileName = nullptr;
    CGreyListBox* m_information = nullptr;
    wxPanel* m_preview = nullptr;
    wxImage m_previewImage;
    std::array<wxPanel*, kDesignThumbnailSlots> m_thumbnails = {};
    std::array<wxStaticText*, kDesignThumbnailSlots> m_captions = {};
    std::array<wxImage, kDesignThumbnailSlots> m_thumbnailImages;
};
