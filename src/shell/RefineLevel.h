#pragma once

#include <string>

// The refinement of a wall face: each level halves the face's width and
// height once more; cells narrower or shorter than 4 are refused.
class CRefineLevel {
public:
    static constexpr int kMinLevel = 1;
    static constexpr int kMaxLevel = 10;
    static constexpr int kStartLevel = 4;  // where the slider starts

    CRefineLevel(int faceWidth, int faceHeight);

    // The level is 0 until the user chooses one.
    void SetLevel(int level);
    int GetLevel() const { return m_level; }

    int GetCellWidth() const { return m_cellWidth; }
    int GetCellHeight() const { return m_cellHeight; }
    // Whether the dialog may be confirmed with this level.
    bool IsAccepted() const { return m_accepted; }
    // Empty until a level is chosen.
    const std::string& GetCellText() const { return m_cellText; }

private:
    int m_faceWidth;
    int m_faceHeight;
    int m_level = 0;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    bool m_accepted = true;
    std::string m_cellText;
};
