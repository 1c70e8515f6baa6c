#include "platform/draw/GlyphOutlines.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "platform/draw/FontConfiguration.h"

namespace draw {

namespace {

// A font file's face, opened when a character first needs it.
struct Candidate {
    std::string file;
    int index = 0;
    FcCharSet* charset = nullptr;
    FcMatrix matrix{1, 0, 0, 1};
    FT_Face face = nullptr;
    bool opened = false;
};

// The faces that may draw a font, in order of preference: the face the
// mapping gives for the name, then the Traditional Chinese fallbacks.
class FaceChoice {
public:
    FaceChoice(const Font& font, FT_Library library) : m_library(library) {
        UseProgramFontConfiguration();
        const int weight = std::clamp(font.weight == 0 ? FW_NORMAL : font.weight, 1, 1000);
        FcPattern* request = FcPatternCreate();
        if (!font.faceName.empty()) {
            FcPatternAddString(request, FC_FAMILY,
                               reinterpret_cast<const FcChar8*>(font.faceName.c_str()));
        }
        FcPatternAddDouble(request, FC_WEIGHT, FcWeightFromOpenTypeDouble(weight));
        FcPatternAddInteger(request, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(request, FC_OUTLINE, FcTrue);
        Add(request, true);
        FcPatternAddString(request, FC_LANG, reinterpret_cast<const FcChar8*>("zh-tw"));
        Add(request, false);
        FcPatternDestroy(request);
    }

    ~FaceChoice() {
        for (Candidate& candidate : m_candidates) {
            if (candidate.face != nullptr) {
                FT_Done_Face(candidate.face);
            }
            if (candidate.charset != nullptr) {
                FcCharSetDestroy(candidate.charset);
            }
        }
    }

    FaceChoice(const FaceChoice&) = delete;
    FaceChoice& operator=(const FaceChoice&) = delete;

    // The first face that has the character, else the first face at all
    // (whose missing-glyph box stands in); null without any face.
    Candidate* FaceFor(char32_t character) {
        for (Candidate& candidate : m_candidates) {
            if (candidate.charset != nullptr && FcCharSetHasChar(candidate.charset, character) &&
                Open(candidate)) {
                return &candidate;
            }
        }
        for (Candidate& candidate : m_candidates) {
            if (Open(candidate)) {
                return &candidate;
            }
        }
        return nullptr;
    }

private:
    void Add(FcPattern* request, bool firstOnly) {
        FcPattern* pattern = FcPatternDuplicate(request);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcFontSet* sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
        if (sorted != nullptr) {
            const int count = firstOnly ? std::min(sorted->nfont, 1) : sorted->nfont;
            for (int i = 0; i < count; ++i) {
                FcPattern* prepared = FcFontRenderPrepare(nullptr, pattern, sorted->fonts[i]);
                if (prepared == nullptr) {
                    continue;
                }
                Candidate candidate;
                FcChar8* file = nullptr;
                if (FcPatternGetString(prepared, FC_FILE, 0, &file) == FcResultMatch) {
                    candidate.file = reinterpret_cast<const char*>(file);
                    FcPatternGetInteger(prepared, FC_INDEX, 0, &candidate.index);
                    FcMatrix* matrix = nullptr;
                    if (FcPatternGetMatrix(prepared, FC_MATRIX, 0, &matrix) == FcResultMatch) {
                        candidate.matrix = *matrix;
                    }
                    FcCharSet* charset = nullptr;
                    if (FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &charset) ==
                        FcResultMatch) {
                        candidate.charset = FcCharSetCopy(charset);
                    }
                    m_candidates.push_back(std::move(candidate));
                }
                FcPatternDestroy(prepared);
            }
            FcFontSetDestroy(sorted);
        }
        FcPatternDestroy(pattern);
    }

    bool Open(Candidate& candidate) {
        if (!candidate.opened) {
            candidate.opened = true;
            if (FT_New_Face(m_library, candidate.file.c_str(), candidate.index, &candidate.face) !=
                    0 ||
                candidate.face->units_per_EM == 0 || !FT_IS_SCALABLE(candidate.face)) {
                if (candidate.face != nullptr) {
                    FT_Done_Face(candidate.face);
                }
                candidate.face = nullptr;
            }
        }
        return candidate.face != nullptr;
    }

    FT_Library m_library;
    std::vector<Candidate> m_candidates;
};

// Turns one outline in font units into polygons in em units, cutting the
// curves into as many equal parameter steps as keep them within the
// tolerance.
class OutlineFlattener {
public:
    OutlineFlattener(double unitsPerEm, double deviation, double offsetX)
        : m_scale(1.0 / unitsPerEm),
          m_tolerance(std::max(deviation * unitsPerEm, 1e-6)),
          m_offsetX(offsetX) {}

    std::vector<std::vector<OutlinePoint>> Flatten(FT_Outline& outline) {
        FT_Outline_Funcs funcs{};
        funcs.move_to = [](const FT_Vector* to, void* user) {
            static_cast<OutlineFlattener*>(user)->MoveTo(*to);
            return 0;
        };
        funcs.line_to = [](const FT_Vector* to, void* user) {
            static_cast<OutlineFlattener*>(user)->LineTo(Point(*to));
            return 0;
        };
        funcs.conic_to = [](const FT_Vector* control, const FT_Vector* to, void* user) {
            static_cast<OutlineFlattener*>(user)->ConicTo(Point(*control), Point(*to));
            return 0;
        };
        funcs.cubic_to = [](const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to,
                            void* user) {
            static_cast<OutlineFlattener*>(user)->CubicTo(Point(*c1), Point(*c2), Point(*to));
            return 0;
        };
        FT_Outline_Decompose(&outline, &funcs, this);
        EndContour();
        return std::move(m_contours);
    }

private:
    static OutlinePoint Point(const FT_Vector& v) {
        return {static_cast<double>(v.x), static_cast<double>(v.y)};
    }

    static double Length(double x, double y) { return std::sqrt(x * x + y * y); }

    // Enough steps that the chord strays at most the tolerance; a curve's
    // second derivative bounds the distance.
    int Steps(double secondDerivative) const {
        const double steps = std::ceil(std::sqrt(secondDerivative / (8.0 * m_tolerance)));
        return std::clamp(static_cast<int>(steps), 1, 1000);
    }

    void MoveTo(const FT_Vector& to) {
        EndContour();
        m_current = Point(to);
        m_contour.push_back(Scaled(m_current));
    }

    void LineTo(const OutlinePoint& to) {
        m_current = to;
        const OutlinePoint scaled = Scaled(to);
        if (m_contour.empty() || m_contour.back().x != scaled.x || m_contour.back().y != scaled.y) {
            m_contour.push_back(scaled);
        }
    }

    void ConicTo(const OutlinePoint& c, const OutlinePoint& to) {
        const OutlinePoint p0 = m_current;
        const int steps = Steps(2.0 * Length(p0.x - 2 * c.x + to.x, p0.y - 2 * c.y + to.y));
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            const double a = (1 - t) * (1 - t);
            const double b = 2 * (1 - t) * t;
            const double d = t * t;
            LineTo(i == steps ? to
                              : OutlinePoint{a * p0.x + b * c.x + d * to.x,
                                             a * p0.y + b * c.y + d * to.y});
        }
    }

    void CubicTo(const OutlinePoint& c1, const OutlinePoint& c2, const OutlinePoint& to) {
        const OutlinePoint p0 = m_current;
        const double bend = std::max(Length(p0.x - 2 * c1.x + c2.x, p0.y - 2 * c1.y + c2.y),
                                     Length(c1.x - 2 * c2.x + to.x, c1.y - 2 * c2.y + to.y));
        const int steps = Steps(6.0 * bend);
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            const double s = 1 - t;
            const double a = s * s * s;
            const double b = 3 * s * s * t;
            const double e = 3 * s * t * t;
            const double d = t * t * t;
            LineTo(i == steps ? to
                              : OutlinePoint{a * p0.x + b * c1.x + e * c2.x + d * to.x,
                                             a * p0.y + b * c1.y + e * c2.y + d * to.y});
        }
    }

    void EndContour() {
        if (m_contour.size() > 1 && m_contour.back().x == m_contour.front().x &&
            m_contour.back().y == m_contour.front().y) {
            m_contour.pop_back();
        }
        if (m_contour.size() >= 3) {
            m_contours.push_back(std::move(m_contour));
        }
        m_contour.clear();
    }

    OutlinePoint Scaled(const OutlinePoint& p) const {
        return {p.x * m_scale + m_offsetX, p.y * m_scale};
    }

    double m_scale;
    double m_tolerance;
    double m_offsetX;
    OutlinePoint m_current;
    std::vector<OutlinePoint> m_contour;
    std::vector<std::vector<OutlinePoint>> m_contours;
};

// The code points of UTF-8 text; each byte that does not start a valid
// sequence stands for U+FFFD.
std::u32string DecodeUtf8(std::string_view text) {
    std::u32string decoded;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        }
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= kShortest[length] && code <= 0x10FFFF &&
                (code < 0xD800 || code > 0xDFFF);
        decoded.push_back(valid ? code : U'\uFFFD');
        i += valid ? length : 1;
    }
    return decoded;
}

struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};

}  // namespace

std::vector<GlyphOutline> OutlineText(const Font& font, std::string_view utf8, double deviation) {
    std::vector<GlyphOutline> glyphs;
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0) {
        return glyphs;
    }
    const std::unique_ptr<FT_LibraryRec_, LibraryCloser> library(raw);
    FaceChoice faces(font, raw);
    double penX = 0.0;
    for (const char32_t character : DecodeUtf8(utf8)) {
        Candidate* candidate = faces.FaceFor(character);
        if (candidate == nullptr) {
            break;
        }
        FT_Face face = candidate->face;
        const FT_UInt glyphIndex = FT_Get_Char_Index(face, character);
        if (FT_Load_Glyph(face, glyphIndex,
                          FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) {
            continue;
        }
        const double unitsPerEm = face->units_per_EM;
        FT_GlyphSlot slot = face->glyph;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            // A slanted stand-in for a missing italic face.
            const FcMatrix& m = candidate->matrix;
            if (m.xx != 1 || m.xy != 0 || m.yx != 0 || m.yy != 1) {
                FT_Matrix matrix{
                    static_cast<FT_Fixed>(m.xx * 65536), static_cast<FT_Fixed>(m.xy * 65536),
                    static_cast<FT_Fixed>(m.yx * 65536), static_cast<FT_Fixed>(m.yy * 65536)};
                FT_Outline_Transform(&slot->outline, &matrix);
            }
            OutlineFlattener flattener(unitsPerEm, deviation, penX);
            GlyphOutline glyph{flattener.Flatten(slot->outline)};
            if (!glyph.contours.empty()) {
                glyphs.push_back(std::move(glyph));
            }
        }
        penX += static_cast<double>(slot->metrics.horiAdvance) / unitsPerEm;
    }
    return glyphs;
}

}  // namespace draw
