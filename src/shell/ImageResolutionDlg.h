#pragma once

#include <wx/dialog.h>

#include <cstdint>

#include "shell/ImageResolution.h"

class wxSlider;
class wxStaticText;

// Asks for the size of a 3D image output in tiles of 1024 pixels and for its
// anti-alias level; the output keeps the 3D view's proportions.
class CImageResolutionDlg : public wxDialog {
public:
    static constexpr int kSizeSliderId = 1138;
    static constexpr int kSizeTextId = 1103;
    static constexpr int kEstimateId = 1104;
    static constexpr int kAntiAliasSliderId = 1142;
    static constexpr int kAntiAliasValueId = 1105;

    // The 3D view gives the proportions; without one the height stays 0.
    CImageResolutionDlg(wxWindow* view3D, wxWindow* parent);

    // After OK.
    int GetScale() const { return m_scale; }
    int GetPassCount() const { return m_passCount; }
    int GetOutputWidth() const { return m_resolution.GetWidth(); }
    int GetOutputHeight() const { return m_resolution.GetHeight(); }
    int64_t GetEstimatedKBytes() const { return m_resolution.GetEstimatedKBytes(); }

private:
    void OnSizeSlider(wxCommandEvent& event);
    void OnAntiAliasSlider(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void ShowValues();

    CImageResolution m_resolution;
    int m_scale = CImageResolution::kMinScale;
    int m_passCount = 0;
    wxSlider* m_pSizeSlider = nullptr;
    wxSlider* m_pAntiAliasSlider = nullptr;
    wxStaticText* m_pSizeText = nullptr;
    wxStaticText* m_pEstimate = nullptr;
    wxStaticText* m_pAntiAliasValue = nullptr;
};
