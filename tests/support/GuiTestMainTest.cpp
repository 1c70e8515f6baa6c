#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <string>

namespace {

// The family GTK's own text gets for a face name, from the font map its
// widgets lay text out with.
std::string FamilyGtkUses(const char* face) {
    PangoFontMap* map = pango_cairo_font_map_get_default();
    PangoContext* context = pango_font_map_create_context(map);
    PangoFontDescription* wanted = pango_font_description_new();
    pango_font_description_set_family(wanted, face);
    pango_font_description_set_size(wanted, 12 * PANGO_SCALE);
    PangoFont* font = pango_font_map_load_font(map, context, wanted);
    std::string family;
    if (font != nullptr) {
        PangoFontDescription* got = pango_font_describe(font);
        family = pango_font_description_get_family(got);
        pango_font_description_free(got);
        g_object_unref(font);
    }
    pango_font_description_free(wanted);
    g_object_unref(context);
    return family;
}

// Dialogs and the plan name the same Windows faces; the GUI tests see them
// resolved as the program does, not by the machine's own font setup.
TEST(GuiTestMain, GtkTextResolvesWindowsFacesThroughTheProgramsMapping) {
    const struct {
        const char* face;
        const char* family;
    } cases[] = {
        {"Arial", "Liberation Sans"},
        {"Comic San Ms", "Liberation Sans"},
        {"新細明體", "Noto Serif CJK TC"},
        {"微軟正黑體", "Noto Sans CJK TC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FamilyGtkUses(c.face), c.family) << c.face;
    }
}

}  // namespace
