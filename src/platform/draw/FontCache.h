#pragma once

#include <cairo.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/draw/Font.h"

namespace draw {

// Owns one reference to a cairo scaled font.
class ScaledFontRef {
public:
    ScaledFontRef() = default;
    explicit ScaledFontRef(cairo_scaled_font_t* font) : m_font(cairo_scaled_font_reference(font)) {}
    ScaledFontRef(const ScaledFontRef& other) : ScaledFontRef(other.m_font) {}
    ScaledFontRef& operator=(ScaledFontRef other) {
        std::swap(m_font, other.m_font);
        return *this;
    }
    ~ScaledFontRef() { cairo_scaled_font_destroy(m_font); }

    cairo_scaled_font_t* Get() const { return m_font; }

private:
    cairo_scaled_font_t* m_font = nullptr;
};

// A stretch of text drawn with one font, glyphs placed relative to the
// baseline origin of the whole text; the clusters map glyphs back to the
// text so that PDF output keeps it searchable.
struct GlyphRun {
    ScaledFontRef font;
    std::string text;
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
    cairo_text_cluster_flags_t clusterFlags = cairo_text_cluster_flags_t(0);
};

// Text laid out in device pixels. The measures are along the baseline; the
// glyph positions are already turned by the font's escapement.
struct TextLayout {
    std::vector<GlyphRun> runs;
    double width = 0;  // advance along the baseline
    double ascent = 0;
    double descent = 0;
    double externalLeading = 0;
    double underlinePosition = 0;  // below the baseline
    double underlineThickness = 0;
};

// Resolves logical fonts to fontconfig faces, through the program's face
// mapping (FontConfiguration.h), and lays out UTF-8 text. The
// face named by the font draws what it can; any character it lacks comes
// from the first fallback face that has it, preferring Traditional Chinese
// forms. Shared by every drawing context of the process.
class FontCache {
public:
    static FontCache& Instance();

    TextLayout Layout(const Font& font, double scaleY, std::string_view utf8, bool turned);

    ~FontCache();

private:
    struct FaceSet;
    FontCache();
    FaceSet& FaceSetFor(const Font& font);
    cairo_font_face_t* FaceAt(FaceSet& set, size_t index);
    cairo_scaled_font_t* ScaledFontFor(FaceSet& set, size_t index, double em, int32_t escapement);
    // The em size in device pixels of the font under a vertical scale.
    double EmPixels(FaceSet& set, const Font& font, double scaleY) const;

    std::mutex m_mutex;
    std::map<std::tuple<std::string, int32_t, bool>, std::unique_ptr<FaceSet>> m_faceSets;
    std::map<std::tuple<const FaceSet*, size_t, double, int32_t>, cairo_scaled_font_t*>
        m_scaledFonts;
};

}  // namespace draw
