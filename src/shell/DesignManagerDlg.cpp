#include "shell/DesignManagerDlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcbuffer.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/scrolbar.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "platform/fs/PathLookup.h"
#include "shell/GreyListBox.h"

namespace {

const wxSize kThumbnailSize(128, 96);
const wxSize kPreviewSize(320, 240);
const wxColour kPickedFrame(70, 255, 70);
const wxColour kFrame(180, 180, 180);

wxString FromUtf8(const std::string& text) {
    return wxString::FromUTF8(text);
}

// The preview saved beside every design: its name with the extension "bmp".
wxImage LoadDesignPreview(const std::string& designFile) {
    std::filesystem::path preview(designFile);
    preview.replace_extension("bmp");
    const std::optional<std::filesystem::path> existing = pfs::ResolvePathCaseInsensitive(preview);
    wxImage image;
    if (existing) {
        // A damaged preview is simply not shown; no box about it.
        wxLogNull quiet;
        image.LoadFile(wxString::FromUTF8(existing->string()), wxBITMAP_TYPE_ANY);
    }
    return image;
}

void DrawImage(wxDC& dc, const wxImage& image, const wxRect& into) {
    if (!image.IsOk() || into.width <= 0 || into.height <= 0) {
        return;
    }
    dc.DrawBitmap(wxBitmap(image.Scale(into.width, into.height, wxIMAGE_QUALITY_HIGH)),
                  into.GetTopLeft());
}

}  // namespace

DesignManagerResult RunStartupDesignManager(wxWindow* parent, CHousDoc& document) {
    const std::string designPath = document.GetDesignPath();
    DesignManagerResult result;
    {
        CDesignManagerDlg dialog(parent, document);
        dialog.ShowModal();
        result.choice = dialog.GetChoice();
        if (result.choice == DesignManagerChoice::OpenPicked) {
            result.designPath = document.GetDesignPath();
        }
    }
    document.SetDesignPath(designPath);
    return result;
}

CDesignManagerDlg::CDesignManagerDlg(wxWindow* parent, CHousDoc& document)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("Velmora")), m_document(document) {
    m_document.SetBusy(1);
    wxBusyCursor wait;

    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* choices = new wxBoxSizer(wxHORIZONTAL);
    m_source = new wxChoice(this, kSourceId);
    m_source->Append(FromUtf8("精選範例"));
    m_source->Append(FromUtf8("專案作品"));
    m_source->SetSelection(0);
    m_groups = new wxChoice(this, kGroupId, wxDefaultPosition, wxSize(240, -1));
    choices->Add(m_source, 0, wxRIGHT, 8);
    choices->Add(m_groups, 0);
    top->Add(choices, 0, wxALL, 8);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxGridSizer(2, 4, 8, 8);
    // The grid fills by rows; a slot's place follows the columns of two.
    std::array<wxSizer*, kDesignThumbnailSlots> cells = {};
    for (int slot = 0; slot < kDesignThumbnailSlots; ++slot) {
        auto* cell = new wxBoxSizer(wxVERTICAL);
        m_thumbnails[slot] = new wxPanel(this, kFirstThumbnailId + slot, wxDefaultPosition,
                                         kThumbnailSize, wxFULL_REPAINT_ON_RESIZE);
        m_thumbnails[slot]->SetBackgroundStyle(wxBG_STYLE_PAINT);
        m_captions[slot] =
            new wxStaticText(this, kFirstCaptionId + slot, wxEmptyString, wxDefaultPosition,
                             wxSize(kThumbnailSize.x, -1), wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
        m_captions[slot]->Hide();
        cell->Add(m_thumbnails[slot], 0);
        // An empty slot keeps its caption's place, so the thumbnails and
        // captions stay in their columns whatever the group holds.
        cell->Add(m_captions[slot], 0, wxTOP | wxRESERVE_SPACE_EVEN_IF_HIDDEN, 2);
        cells[slot] = cell;

        m_thumbnails[slot]->Bind(wxEVT_PAINT,
                                 [this, slot](wxPaintEvent&) { OnThumbnailPaint(slot); });
        m_thumbnails[slot]->Bind(wxEVT_LEFT_DOWN, [this, slot](wxMouseEvent&) {
            if (GetFirstShown() + slot < static_cast<int>(m_group.entries.size())) {
                Pick(GetFirstShown() + slot);
            }
        });
        m_thumbnails[slot]->Bind(wxEVT_LEFT_DCLICK, [this, slot](wxMouseEvent&) {
            if (GetFirstShown() + slot < static_cast<int>(m_group.entries.size())) {
                Pick(GetFirstShown() + slot);
                OpenPicked();
            }
        });
        m_thumbnails[slot]->Bind(wxEVT_RIGHT_UP,
                                 [this, slot](wxMouseEvent&) { OnThumbnailMenu(slot); });
    }
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < kDesignThumbnailSlots / 2; ++column) {
            grid->Add(cells[column * 2 + row]);
        }
    }
    left->Add(grid, 0);
    m_scroll = new wxScrollBar(this, kScrollId, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
    m_scroll->Hide();
    left->Add(m_scroll, 0, wxEXPAND | wxTOP, 8);
    body->Add(left, 0, wxLEFT | wxRIGHT, 8);

    auto* right = new wxBoxSizer(wxVERTICAL);
    m_preview = new wxPanel(this, kPreviewId, wxDefaultPosition, kPreviewSize);
    m_preview->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_preview->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(m_preview);
        dc.SetBackground(*wxLIGHT_GREY_BRUSH);
        dc.Clear();
        DrawImage(dc, m_previewImage, m_preview->GetClientRect());
    });
    m_fileName =
        new wxStaticText(this, kFileNameId, wxEmptyString, wxDefaultPosition,
                         wxSize(kPreviewSize.x, -1), wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_START);
    m_information = new CGreyListBox(this, kInformationId, wxDefaultPosition,
                                     wxSize(kPreviewSize.x, 140), wxLB_ALWAYS_SB);
    right->Add(m_preview, 0);
    right->Add(m_fileName, 0, wxTOP | wxRESERVE_SPACE_EVEN_IF_HIDDEN, 4);
    right->Add(m_information, 0, wxTOP, 4);
    body->Add(right, 0, wxRIGHT, 8);
    top->Add(body, 0);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto addButton = [&](int id, const char* label, const char* tip) {
        auto* button = new wxButton(this, id, FromUtf8(label));
        button->SetToolTip(FromUtf8(tip));
        buttons->Add(button, 0, wxRIGHT, 8);
        return button;
    };
    // The design management dialogs are not part of the program yet.
    addButton(kManageId, "編輯", "設計案管理")->Disable();
    addButton(kNewId, "開始新設計", "開始進行我的新設計案");
    addButton(kOpenId, "開啟舊設計", "開啟已存在的設計案進行編輯");
    addButton(kLeaveId, "離開", "結束執行Velmora");
    buttons->AddStretchSpacer();
    buttons->Add(new wxStaticText(this, wxID_ANY, "2012/02/24"), 0, wxALIGN_BOTTOM);
    top->Add(buttons, 0, wxEXPAND | wxALL, 8);
    SetSizerAndFit(top);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnNew(); }, kNewId);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOpen(); }, kOpenId);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnLeave(); }, kLeaveId);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OpenPicked(); }, kLoadId);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { RemovePicked(); }, kRemoveId);
    m_source->Bind(wxEVT_CHOICE,
                   [this](wxCommandEvent&) { SelectSource(m_source->GetSelection()); });
    m_groups->Bind(wxEVT_CHOICE,
                   [this](wxCommandEvent&) { SelectGroup(m_groups->GetSelection()); });
    m_scroll->Bind(wxEVT_SCROLL_LINEUP, &CDesignManagerDlg::OnScroll, this);
    m_scroll->Bind(wxEVT_SCROLL_LINEDOWN, &CDesignManagerDlg::OnScroll, this);
    m_scroll->Bind(wxEVT_SCROLL_PAGEUP, &CDesignManagerDlg::OnScroll, this);
    m_scroll->Bind(wxEVT_SCROLL_PAGEDOWN, &CDesignManagerDlg::OnScroll, this);
    m_scroll->Bind(wxEVT_SCROLL_THUMBTRACK, &CDesignManagerDlg::OnScroll, this);
    // Enter and Escape would end the screen without a choice.
    Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
        if (event.GetKeyCode() != WXK_RETURN && event.GetKeyCode() != WXK_NUMPAD_ENTER &&
            event.GetKeyCode() != WXK_ESCAPE) {
            event.Skip();
        }
    });

    FillGroups();
    LoadGroup();
    Pick(0);
    LayOutThumbnails();
    CentreOnParent();
}

CDesignManagerDlg::~CDesignManagerDlg() {
    SaveDesignManagerGroup(m_document.GetProgramFolder(), m_document.GetShowGroupIndex());
    m_document.SetBusy(0);
}

void CDesignManagerDlg::FillGroups() {
    m_groups->Clear();
    for (const std::string& name : ListDesignGroupNames(
             DesignManagerSourceFolder(m_document.GetProgramFolder(), m_source->GetSelection()))) {
        m_groups->Append(FromUtf8(name));
    }
    if (m_groups->GetCount() > 0) {
        m_groups->SetSelection(0);
    }
}

void CDesignManagerDlg::LoadGroup() {
    const std::string folder =
        DesignManagerSourceFolder(m_document.GetProgramFolder(), m_source->GetSelection());
    // A source without groups shows none, not the designs of the last one.
    m_group = LoadDesignGroup(m_document, folder, m_groups->GetSelection())
                  .value_or(DesignManagerGroup{});
    m_scrollPosition = 0;
    m_scroll->Show(m_group.entries.size() > kDesignThumbnailSlots);
    Layout();
}

void CDesignManagerDlg::Pick(int index) {
    m_fileName->Hide();
    m_previewImage = wxImage();
    m_information->Clear();
    const int count = static_cast<int>(m_group.entries.size());
    m_picked = std::min(index, count - 1);
    if (m_picked >= 0) {
        const DesignManagerEntry& entry = m_group.entries[m_picked];
        m_document.SetDesignPath(entry.designFile);
        m_fileName->SetLabel(FromUtf8(entry.designFile));
        m_fileName->Show();
        m_previewImage = LoadDesignPreview(entry.designFile);
        for (const std::string& line : DesignInformationLines(entry)) {
            m_information->Append(FromUtf8(line));
        }
        m_scrollPosition = ScrollPositionForPick(m_picked, m_scrollPosition, count);
        const int columns = (count - 1) / 2 + 1;
        m_scroll->SetScrollbar(m_scrollPosition, kDesignScrollPage, columns, kDesignScrollPage);
    } else {
        m_picked = -1;
    }
    m_preview->Refresh(false);
    LayOutThumbnails();
}

void CDesignManagerDlg::LayOutThumbnails() {
    const int first = GetFirstShown();
    for (int slot = 0; slot < kDesignThumbnailSlots; ++slot) {
        const int index = first + slot;
        if (index < static_cast<int>(m_group.entries.size())) {
            const DesignManagerEntry& entry = m_group.entries[index];
            m_thumbnailImages[slot] = LoadDesignPreview(entry.designFile);
            m_captions[slot]->SetLabel(FromUtf8(entry.showName));
            m_captions[slot]->Show();
            m_thumbnails[slot]->SetToolTip(FromUtf8("按滑鼠左鍵兩下可以開啟作品..."));
        } else {
            m_thumbnailImages[slot] = wxImage();
            m_captions[slot]->Hide();
            m_thumbnails[slot]->UnsetToolTip();
        }
        m_thumbnails[slot]->Refresh(false);
    }
    // A window shown after the last layout stays where it was made, at the
    // dialog's corner, until the sizer places it.
    Layout();
}

void CDesignManagerDlg::OnThumbnailPaint(int slot) {
    wxPanel* panel = m_thumbnails[slot];
    wxAutoBufferedPaintDC dc(panel);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    const int index = GetFirstShown() + slot;
    if (index >= static_cast<int>(m_group.entries.size())) {
        return;
    }
    const wxRect client = panel->GetClientRect();
    dc.SetPen(wxPen(index == m_picked ? kPickedFrame : kFrame, 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(wxRect(client).Deflate(1));
    DrawImage(dc, m_thumbnailImages[slot], wxRect(client).Deflate(3));
}

void CDesignManagerDlg::OnThumbnailMenu(int slot) {
    const int index = GetFirstShown() + slot;
    if (index >= static_cast<int>(m_group.entries.size())) {
        return;
    }
    Pick(index);
    wxMenu menu;
    menu.Append(kLoadId, FromUtf8("載入"));
    menu.Append(kRemoveId, FromUtf8("移除"));
    menu.Enable(kRemoveId, CanRemovePicked());
    PopupMenu(&menu);
}

bool CDesignManagerDlg::CanRemovePicked() const {
    return m_picked >= 0 && m_group.lock != 1;
}

void CDesignManagerDlg::OpenPicked() {
    if (m_picked < 0) {
        return;
    }
    m_document.SetDesignPath(m_group.entries[m_picked].designFile);
    Finish(DesignManagerChoice::OpenPicked);
}

void CDesignManagerDlg::RemovePicked() {
    if (!CanRemovePicked()) {
        return;
    }
    const DesignManagerEntry& entry = m_group.entries[m_picked];
    const wxString question =
        wxString::Format(FromUtf8("您確定要移除作品展示: %s ?"), FromUtf8(entry.showName));
    if (ShowMessage(question.utf8_string(), PromptButtons::OkCancel, PromptIcon::Warning) !=
        PromptAnswer::Ok) {
        return;
    }
    DesignManagerGroup remaining = m_group;
    remaining.entries.erase(remaining.entries.begin() + m_picked);
    const int group = m_groups->GetSelection();
    const std::string folder =
        DesignManagerSourceFolder(m_document.GetProgramFolder(), m_source->GetSelection());
    if (!WriteDesignGroup(folder, group, m_groups->GetStringSelection().utf8_string(), remaining)) {
        // The list stays as the file still has it.
        ShowMessage("無法更新作品群組檔案，作品沒有移除。", PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    m_document.SetShowGroupIndex(group);
    m_group = std::move(remaining);
    m_scroll->Show(m_group.entries.size() > kDesignThumbnailSlots);
    Layout();
    Pick(m_picked - 1);
}

void CDesignManagerDlg::Scroll(DesignScroll request, int thumbPosition) {
    const std::optional<int> position = ScrollDesignThumbnails(
        request, m_scrollPosition, thumbPosition, static_cast<int>(m_group.entries.size()));
    if (position) {
        m_scrollPosition = *position;
        m_scroll->SetThumbPosition(m_scrollPosition);
    }
    LayOutThumbnails();
}

void CDesignManagerDlg::OnScroll(wxScrollEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_SCROLL_LINEUP) {
        Scroll(DesignScroll::LineLeft);
    } else if (type == wxEVT_SCROLL_LINEDOWN) {
        Scroll(DesignScroll::LineRight);
    } else if (type == wxEVT_SCROLL_PAGEUP) {
        Scroll(DesignScroll::PageLeft);
    } else if (type == wxEVT_SCROLL_PAGEDOWN) {
        Scroll(DesignScroll::PageRight);
    } else {
        Scroll(DesignScroll::Thumb, event.GetPosition());
    }
}

void CDesignManagerDlg::SelectSource(int source) {
    m_source->SetSelection(source);
    FillGroups();
    const int remembered = m_lastGroup[source == 0 ? 0 : 1];
    if (remembered < static_cast<int>(m_groups->GetCount())) {
        m_groups->SetSelection(remembered);
    }
    SelectGroup(m_groups->GetSelection());
}

void CDesignManagerDlg::SelectGroup(int group) {
    if (group >= 0 && group < static_cast<int>(m_groups->GetCount())) {
        m_groups->SetSelection(group);
    }
    LoadGroup();
    Pick(0);
    const int selected = m_groups->GetSelection();
    m_document.SetShowGroupIndex(selected);
    m_lastGroup[m_source->GetSelection() == 0 ? 0 : 1] = selected;
}

void CDesignManagerDlg::Finish(DesignManagerChoice choice) {
    m_choice = choice;
    EndModal(wxID_OK);
}

void CDesignManagerDlg::OnNew() {
    Finish(DesignManagerChoice::NewDesign);
}

void CDesignManagerDlg::OnOpen() {
    m_document.SetDesignPath({});
    Finish(DesignManagerChoice::OpenDialog);
}

void CDesignManagerDlg::OnLeave() {
    if (ShowMessage("是否要結束執行'Velmora'?", PromptButtons::OkCancel, PromptIcon::Question) ==
        PromptAnswer::Ok) {
        Finish(DesignManagerChoice::Leave);
    }
}
