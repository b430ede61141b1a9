// The configuration dialog's run on Linux: GTK on the X display, the window of
// config_dialog_window.cpp shown modally over the owner window, until the logic closes it.
#include "platform/config_dialog.h"

#include "platform/gtk/config_dialog_window.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace tarnel::platform {

namespace {

void makeTransient(GtkWidget* window, std::uint64_t ownerWindow) {
    GdkDisplay* display = gtk_widget_get_display(window);
    if (!GDK_IS_X11_DISPLAY(display)) return;
    gdk_x11_display_error_trap_push(display);
    GdkWindow* owner = gdk_x11_window_foreign_new_for_display(display, static_cast<Window>(ownerWindow));
    if (owner) {
        gdk_window_set_transient_for(gtk_widget_get_window(window), owner);
        g_object_unref(owner);
    }
    gdk_x11_display_error_trap_pop_ignored(display);
}

}  // namespace

bool runConfigDialog(ConfigDialogLogic& logic, std::uint64_t ownerWindow) {
    if (!gtk_init_check(nullptr, nullptr)) return false;
    {
        ConfigDialogWindow dialog(logic, [] { gtk_main_quit(); });
        gtk_widget_realize(dialog.window());
        if (ownerWindow != 0) makeTransient(dialog.window(), ownerWindow);
        gtk_widget_show(dialog.window());
        gtk_widget_grab_focus(dialog.control(kModeList));
        gtk_main();
    }
    while (gtk_events_pending()) gtk_main_iteration();
    return true;
}

}  // namespace tarnel::platform
