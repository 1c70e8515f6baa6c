#include "platform/draw/FontCache.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/draw/FontConfiguration.h"

namespace draw {

namespace {

constexpr double kDefaultCellPixels = 16.0;
constexpr double kMeasureEm = 1000.0;
constexpr size_t kMaxScaledFonts = 256;
constexpr size_t kNoRun = std::numeric_limits<size_t>::max();

// Decodes the character at s[i]; false for a malformed sequence.
bool DecodeUtf8(std::string_view s, size_t i, char32_t& cp, size_t& length) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) {
        cp = lead;
        length = 1;
        return true;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return false;
    }
    if (i + length > s.size()) {
        return false;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) {
            return false;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    return cp >= minimum[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

// Unhinted outlines and metrics, so text measures the same on the screen,
// in a bitmap and on paper.
const cairo_font_options_t* TextOptions() {
    static cairo_font_options_t* options = [] {
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
        return o;
    }();
    return options;
}

}  // namespace

// The faces that draw one logical font, in order of preference, and the
// primary face's metrics per em.
struct FontCache::FaceSet {
    std::vector<FcPattern*> fonts;
    std::vector<FcCharSet*> charsets;
    std::vector<cairo_font_face_t*> faces;
    double ascent = 0.9;
    double descent = 0.25;
    double externalLeading = 0;
    double underlinePosition = 0.1;
    double underlineThickness = 0.05;

    ~FaceSet() {
        for (cairo_font_face_t* face : faces) {
            cairo_font_face_destroy(face);
        }
        for (FcCharSet* charset : charsets) {
            if (charset) {
                FcCharSetDestroy(charset);
            }
        }
        for (FcPattern* font : fonts) {
            FcPatternDestroy(font);
        }
    }

    void AddSorted(FcPattern* request, bool firstOnly) {
        FcPattern* pattern = FcPatternDuplicate(request);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcFontSet* sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
        if (sorted) {
            const int count = firstOnly ? std::min(sorted->nfont, 1) : sorted->nfont;
            for (int i = 0; i < count; ++i) {
                FcPattern* prepared = FcFontRenderPrepare(nullptr, pattern, sorted->fonts[i]);
                if (!prepared) {
                    continue;
                }
                FcCharSet* charset = nullptr;
                FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &charset);
                fonts.push_back(prepared);
                charsets.push_back(charset ? FcCharSetCopy(charset) : nullptr);
                faces.push_back(nullptr);
            }
            FcFontSetDestroy(sorted);
        }
        FcPatternDestroy(pattern);
    }

    size_t FontFor(char32_t cp) const {
        for (size_t i = 0; i < charsets.size(); ++i) {
            if (charsets[i] && FcCharSetHasChar(charsets[i], cp)) {
                return i;
            }
        }
        return 0;
    }
};

FontCache& FontCache::Instance() {
    static FontCache cache;
    return cache;
}

// Faces are resolved only once the program's face mapping is in place.
FontCache::FontCache() {
    UseProgramFontConfiguration();
}

FontCache::~FontCache() {
    for (auto& entry : m_scaledFonts) {
        cairo_scaled_font_destroy(entry.second);
    }
}

FontCache::FaceSet& FontCache::FaceSetFor(const Font& font) {
    const int32_t weight = std::clamp(font.weight == 0 ? FW_NORMAL : font.weight, 1, 1000);
    const auto key = std::make_tuple(font.faceName, weight, font.italic);
    auto found = m_faceSets.find(key);
    if (found != m_faceSets.end()) {
        return *found->second;
    }
    auto set = std::make_unique<FaceSet>();
    FcPattern* request = FcPatternCreate();
    if (!font.faceName.empty()) {
        FcPatternAddString(request, FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(font.faceName.c_str()));
    }
    FcPatternAddDouble(request, FC_WEIGHT, FcWeightFromOpenTypeDouble(weight));
    FcPatternAddInteger(request, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // The named face first; asking for the language there would let a CJK
    // face take the Latin text too.
    set->AddSorted(request, true);
    FcPatternAddString(request, FC_LANG, reinterpret_cast<const FcChar8*>("zh-tw"));
    set->AddSorted(request, false);
    FcPatternDestroy(request);

    FaceSet& result = *m_faceSets.emplace(key, std::move(set)).first->second;
    if (cairo_scaled_font_t* primary = ScaledFontFor(result, 0, kMeasureEm, 0)) {
        cairo_font_extents_t extents;
        cairo_scaled_font_extents(primary, &extents);
        result.ascent = extents.ascent / kMeasureEm;
        result.descent = extents.descent / kMeasureEm;
        result.externalLeading =
            std::max(0.0, extents.height - extents.ascent - extents.descent) / kMeasureEm;
        if (FT_Face face = cairo_ft_scaled_font_lock_face(primary)) {
            if (face->units_per_EM > 0 && face->underline_thickness > 0) {
                result.underlinePosition = -double(face->underline_position) / face->units_per_EM;
                result.underlineThickness = double(face->underline_thickness) / face->units_per_EM;
            }
            cairo_ft_scaled_font_unlock_face(primary);
        }
    }
    return result;
}

cairo_font_face_t* FontCache::FaceAt(FaceSet& set, size_t index) {
    if (!set.faces[index]) {
        set.faces[index] = cairo_ft_font_face_create_for_pattern(set.fonts[index]);
    }
    return set.faces[index];
}

cairo_scaled_font_t* FontCache::ScaledFontFor(FaceSet& set, size_t index, double em,
                                              int32_t escapement) {
    if (index >= set.fonts.size()) {
        return nullptr;
    }
    const auto key = std::make_tuple(static_cast<const FaceSet*>(&set), index, em, escapement);
    auto found = m_scaledFonts.find(key);
    if (found != m_scaledFonts.end()) {
        return found->second;
    }
    if (m_scaledFonts.size() >= kMaxScaledFonts) {
        for (auto& entry : m_scaledFonts) {
            cairo_scaled_font_destroy(entry.second);
        }
        m_scaledFonts.clear();
    }
    // Counter-clockwise on a device whose y axis points down.
    const double angle = escapement / 10.0 * std::numbers::pi / 180.0;
    const double c = std::cos(angle) * em;
    const double s = std::sin(angle) * em;
    cairo_matrix_t fontMatrix;
    cairo_matrix_init(&fontMatrix, c, -s, s, c, 0, 0);
    cairo_matrix_t ctm;
    cairo_matrix_init_identity(&ctm);
    cairo_scaled_font_t* font =
        cairo_scaled_font_create(FaceAt(set, index), &fontMatrix, &ctm, TextOptions());
    if (cairo_scaled_font_status(font) != CAIRO_STATUS_SUCCESS) {
        cairo_scaled_font_destroy(font);
        return nullptr;
    }
    m_scaledFonts.emplace(key, font);
    return font;
}

double FontCache::EmPixels(FaceSet& set, const Font& font, double scaleY) const {
    const double sy = std::fabs(scaleY);
    if (font.height < 0) {
        return -double(font.height) * sy;
    }
    const double cell = font.height > 0 ? font.height * sy : kDefaultCellPixels;
    return cell / (set.ascent + set.descent);
}

TextLayout FontCache::Layout(const Font& font, double scaleY, std::string_view utf8, bool turned) {
    std::lock_guard lock(m_mutex);
    FaceSet& set = FaceSetFor(font);
    const double em = EmPixels(set, font, scaleY);
    TextLayout layout;
    if (set.fonts.empty() || !(em > 0) || !std::isfinite(em)) {
        return layout;
    }
    layout.ascent = set.ascent * em;
    layout.descent = set.descent * em;
    layout.externalLeading = set.externalLeading * em;
    layout.underlinePosition = set.underlinePosition * em;
    layout.underlineThickness = set.underlineThickness * em;

    const int32_t escapement = turned ? font.escapement % 3600 : 0;
    double penX = 0;
    double penY = 0;
    size_t runStart = 0;
    size_t runFont = kNoRun;
    auto flush = [&](size_t end) {
        if (runFont == kNoRun || end <= runStart) {
            runFont = kNoRun;
            return;
        }
        cairo_scaled_font_t* scaled = ScaledFontFor(set, runFont, em, escapement);
        runFont = kNoRun;
        if (!scaled) {
            return;
        }
        cairo_glyph_t* glyphs = nullptr;
        int glyphCount = 0;
        cairo_text_cluster_t* clusters = nullptr;
        int clusterCount = 0;
        GlyphRun run;
        run.text.assign(utf8.substr(runStart, end - runStart));
        const cairo_status_t status = cairo_scaled_font_text_to_glyphs(
            scaled, penX, penY, run.text.data(), int(run.text.size()), &glyphs, &glyphCount,
            &clusters, &clusterCount, &run.clusterFlags);
        if (status == CAIRO_STATUS_SUCCESS && glyphCount > 0) {
            cairo_text_extents_t extents;
            cairo_scaled_font_glyph_extents(scaled, glyphs, glyphCount, &extents);
            penX += extents.x_advance;
            penY += extents.y_advance;
            run.font = ScaledFontRef(scaled);
            run.glyphs.assign(glyphs, glyphs + glyphCount);
            run.clusters.assign(clusters, clusters + clusterCount);
            layout.runs.push_back(std::move(run));
        }
        cairo_glyph_free(glyphs);
        cairo_text_cluster_free(clusters);
    };
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        size_t length = 0;
        if (!DecodeUtf8(utf8, i, cp, length)) {
            flush(i);
            ++i;
            continue;
        }
        const size_t index = set.FontFor(cp);
        if (index != runFont) {
            flush(i);
            runStart = i;
            runFont = index;
        }
        i += length;
    }
    flush(utf8.size());
    layout.width = std::hypot(penX, penY);
    return layout;
}

}  // namespace draw
