#pragma once

#include <cstdint>
#include <string>

// The output size of a tiled 3D image: each tile is 1024 pixels wide, and
// the height keeps the 3D view's proportions. Also the anti-alias passes
// chosen with the second slider.
class CImageResolution {
public:
    static constexpr int kMinScale = 1;
    static constexpr int kMaxScale = 10;
    static constexpr int kTileWidth = 1024;
    static constexpr int kMinAntiAlias = 1;
    static constexpr int kMaxAntiAlias = 7;
    static constexpr int kStartAntiAlias = 2;

    // The 3D view's client size; the output starts at one tile.
    CImageResolution(int viewWidth, int viewHeight);

    // The size slider moved: new output size and estimate. A view with no
    // width (minimised) keeps the height it had.
    void SetScale(int scale);
    void SetAntiAliasValue(int value) { m_antiAliasValue = value; }

    int GetScale() const { return m_scale; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // Kilobytes of a 24-bit bitmap of the output; 0 until the size slider moves.
    int64_t GetEstimatedKBytes() const { return m_estimatedKBytes; }
    int GetAntiAliasValue() const { return m_antiAliasValue; }
    // Value + 1, and one more from 7 up: 1..7 give 2, 3, 4, 5, 6, 8, 9.
    int GetPassCount() const;
    // "%d X %d" of the output size.
    std::string GetSizeText() const;

private:
    void UpdateSize();

    int m_viewWidth;
    int m_viewHeight;
    int m_scale = kMinScale;
    int m_width = 0;
    int m_height = 0;
    int64_t m_estimatedKBytes = 0;
    int m_antiAliasValue = kStartAntiAlias;
};
