#include "platform/draw/FontConfiguration.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/draw/FontCache.h"

namespace draw {
namespace {

struct DrawnFace {
    std::string family;
    bool bold = false;
};

// The faces that draw the text, one per run, as the drawing contexts use them.
std::vector<DrawnFace> FacesDrawing(const char* faceName, std::string_view text) {
    Font font;
    font.faceName = faceName;
    font.height = -20;
    std::vector<DrawnFace> faces;
    for (const GlyphRun& run : FontCache::Instance().Layout(font, 1.0, text, false).runs) {
        FT_Face face = cairo_ft_scaled_font_lock_face(run.font.Get());
        if (!face) {
            ADD_FAILURE() << "no face behind a run of " << faceName;
            continue;
        }
        faces.push_back({face->family_name, (face->style_flags & FT_STYLE_FLAG_BOLD) != 0});
        cairo_ft_scaled_font_unlock_face(run.font.Get());
    }
    return faces;
}

std::string MatchedFamily(FcConfig* config, const char* family) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::string name;
    FcChar8* matched = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch) {
        name = reinterpret_cast<const char*>(matched);
    }
    if (match) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return name;
}

TEST(FontConfigurationTest, WindowsFacesDrawWithTheFontsTheyAreBoundTo) {
    ASSERT_TRUE(UseProgramFontConfiguration());
    struct Case {
        const char* face;
        const char* text;
        const char* family;
        bool bold;
    };
    const Case cases[] = {
        {"Arial", "Plan", "Liberation Sans", false},
        {"Times New Roman", "Plan", "Liberation Serif", false},
        {"Courier New", "Plan", "Liberation Mono", false},
        {"Courier New Bold", "Plan", "Liberation Mono", true},
        // Faces no machine has, and no face at all, take Arial's stand-in.
        {"Comic San Ms", "1.25m", "Liberation Sans", false},
        {"", "Plan", "Liberation Sans", false},
        {"新細明體", "室內設計", "Noto Serif CJK TC", false},
        {"PMingLiU", "室內設計", "Noto Serif CJK TC", false},
        {"細明體", "室內設計", "Noto Serif CJK TC", false},
        {"MingLiU", "室內設計", "Noto Serif CJK TC", false},
        {"標楷體", "室內設計", "Noto Serif CJK TC", false},
        {"DFKai-SB", "室內設計", "Noto Serif CJK TC", false},
        {"微軟正黑體", "室內設計", "Noto Sans CJK TC", false},
        {"Microsoft JhengHei", "室內設計", "Noto Sans CJK TC", false},
        // An installed face the user chose stays itself.
        {"Noto Sans Mono CJK TC", "Plan", "Noto Sans Mono CJK TC", false},
    };
    for (const Case& c : cases) {
        const std::vector<DrawnFace> faces = FacesDrawing(c.face, c.text);
        ASSERT_EQ(faces.size(), 1u) << c.face;
        EXPECT_EQ(faces[0].family, c.family) << c.face;
        EXPECT_EQ(faces[0].bold, c.bold) << c.face;
    }
}

TEST(FontConfigurationTest, HanCharactersOfLatinFacesComeFromNotoSansCjkTc) {
    ASSERT_TRUE(UseProgramFontConfiguration());
    for (const char* face : {"Arial", "Times New Roman", "Courier New", "Comic San Ms"}) {
        const std::vector<DrawnFace> faces = FacesDrawing(face, "Plan 公尺");
        ASSERT_EQ(faces.size(), 2u) << face;
        EXPECT_EQ(faces[1].family, "Noto Sans CJK TC") << face;
    }
}

// The desktop's own font, which dialogs ask for by a generic name, is the
// machine's choice and not one of ours.
TEST(FontConfigurationTest, GenericFamiliesResolveAsOnTheMachine) {
    ASSERT_TRUE(UseProgramFontConfiguration());
    FcConfig* machine = FcInitLoadConfigAndFonts();
    ASSERT_NE(machine, nullptr);
    for (const char* generic : {"Sans", "Serif", "Monospace"}) {
        EXPECT_EQ(MatchedFamily(nullptr, generic), MatchedFamily(machine, generic)) << generic;
    }
    FcConfigDestroy(machine);
}

}  // namespace
}  // namespace draw
