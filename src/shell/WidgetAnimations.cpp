#include "shell/WidgetAnimations.h"

#include <gtk/gtk.h>

void TurnOffWidgetAnimations() {
    if (GtkSettings* settings = gtk_settings_get_default()) {
        g_object_set(settings, "gtk-enable-animations", FALSE, nullptr);
    }
}
