#pragma once

#include <wx/dialog.h>

#include <string>

#include "library/ObjectRecordRules.h"

class wxButton;
class wxTextCtrl;

// Edits the catalogue record of one library file: name, size, price, model
// number, vendor and description. OK stores them in the entry and its
// catalogue row; the reload button takes them from the file again.
class CObjectRecordDlg : public wxDialog {
public:
    static constexpr int kNameId = 1026;
    static constexpr int kWidthId = 1287;
    static constexpr int kDepthId = 1103;
    static constexpr int kHeightId = 1104;
    static constexpr int kPriceId = 1025;
    static constexpr int kSerialNumberId = 1289;
    static constexpr int kVendorId = 1288;
    static constexpr int kDescriptionId = 1290;
    static constexpr int kReloadId = 1372;

    // One per kind of entry; the program folder holds the catalogue.
    CObjectRecordDlg(const std::string& programFolder, ModelCatalogEntry& entry, wxWindow* parent);
    CObjectRecordDlg(const std::string& programFolder, TextureCatalogEntry& entry,
                     wxWindow* parent);
    CObjectRecordDlg(const std::string& programFolder, PictureCatalogEntry& entry,
                     wxWindow* parent);

    int GetKind() const { return m_rules.GetKind(); }

private:
    void Build();
    void ShowFields(const ObjectRecordFields& fields);
    ObjectRecordFields ReadFields() const;
    void OnOk(wxCommandEvent& event);
    void OnReload(wxCommandEvent& event);

    CObjectRecordRules m_rules;
    wxTextCtrl* m_pName = nullptr;
    wxTextCtrl* m_pWidth = nullptr;
    wxTextCtrl* m_pDepth = nullptr;
    wxTextCtrl* m_pHeight = nullptr;
    wxTextCtrl* m_pPrice = nullptr;
    wxTextCtrl* m_pSerialNumber = nullptr;
    wxTextCtrl* m_pVendor = nullptr;
    wxTextCtrl* m_pDescription = nullptr;
};
