// The configuration dialog in GTK 3. Controls sit where the dialog layout puts them, in
// dialog units scaled to pixels; every user action goes to the logic, and the whole state
// is drawn again after it, so the view holds nothing of its own.
#include "platform/config_dialog.h"

#include "platform/gtk/resource_pixbuf.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cmath>
#include <map>

namespace tarnel::platform {

namespace {

constexpr int kUnitX = 2;   // pixels per dialog unit
constexpr int kUnitY = 2;

struct View {
    ConfigDialogLogic* logic = nullptr;
    GtkWidget* window = nullptr;
    GtkWidget* fixed = nullptr;
    GtkWidget* modeList = nullptr;
    std::map<int, GtkWidget*> toggles;   // check boxes and radios by control number
    std::map<int, GtkWidget*> bars;
    GtkWidget* volumeLabel = nullptr;
    GtkWidget* brightnessLabel = nullptr;
    bool syncing = false;                // true while the state is being drawn
    bool closed = false;
};

void place(View& view, GtkWidget* widget, int x, int y, int w, int h) {
    gtk_widget_set_size_request(widget, w * kUnitX, h * kUnitY);
    gtk_fixed_put(GTK_FIXED(view.fixed), widget, x * kUnitX, y * kUnitY);
}

void setToggle(View& view, int control, bool on, bool enabled = true) {
    GtkWidget* widget = view.toggles[control];
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), on);
    gtk_widget_set_sensitive(widget, enabled);
}

void setBar(View& view, int control, const TrackBarState& bar) {
    GtkWidget* widget = view.bars[control];
    gtk_range_set_range(GTK_RANGE(widget), bar.low, bar.high);
    gtk_range_set_increments(GTK_RANGE(widget), 1, bar.page);
    gtk_range_set_value(GTK_RANGE(widget), bar.position);
    gtk_widget_set_sensitive(widget, bar.enabled);
}

void sync(View& view) {
    const ConfigDialogState& s = view.logic->state();
    view.syncing = true;
    gtk_combo_box_set_active(GTK_COMBO_BOX(view.modeList), s.selectedMode);
    gtk_widget_set_sensitive(view.modeList, s.modeListEnabled);
    setToggle(view, kUseDesktopBox, s.useDesktop);
    setToggle(view, kVSyncBox, s.vsync);
    setToggle(view, kShowFpsBox, s.showFps);
    setToggle(view, kMouseExitBox, s.mouseExit);
    setToggle(view, kShowTimeBox, s.showTime);
    // A radio button cannot be cleared directly; marking its partner clears it.
    setToggle(view, s.twelveHour ? kTwelveHourRadio : kTwentyFourHourRadio, true, s.radiosEnabled);
    gtk_widget_set_sensitive(view.toggles[s.twelveHour ? kTwentyFourHourRadio : kTwelveHourRadio], s.radiosEnabled);
    setToggle(view, kEnableMusicBox, s.enableMusic);
    setToggle(view, kDefaultGammaBox, s.defaultGamma);
    setBar(view, kVolumeBar, s.volume);
    setBar(view, kGammaBar, s.gamma);
    setBar(view, kSpeedBar, s.speed);
    gtk_label_set_text(GTK_LABEL(view.volumeLabel), s.volumeLabel.c_str());
    gtk_widget_set_sensitive(view.volumeLabel, s.volumeLabelEnabled);
    gtk_label_set_text(GTK_LABEL(view.brightnessLabel), s.brightnessLabel.c_str());
    gtk_widget_set_sensitive(view.brightnessLabel, s.brightnessLabelEnabled);
    view.syncing = false;
}

void showAbout(View& view) {
    GtkWidget* about = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(about), "About");
    gtk_window_set_transient_for(GTK_WINDOW(about), GTK_WINDOW(view.window));
    gtk_window_set_modal(GTK_WINDOW(about), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(about), FALSE);
    GtkWidget* frame = gtk_frame_new(nullptr);
    gtk_container_set_border_width(GTK_CONTAINER(frame), 8);
    GtkWidget* text = gtk_label_new(view.logic->state().aboutText.c_str());
    gtk_label_set_justify(GTK_LABEL(text), GTK_JUSTIFY_CENTER);
    gtk_label_set_line_wrap(GTK_LABEL(text), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(text), 40);
    gtk_widget_set_size_request(text, 165 * kUnitX, 65 * kUnitY);
    gtk_container_add(GTK_CONTAINER(frame), text);
    gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(about))), frame, TRUE, TRUE, 0);
    gtk_dialog_add_button(GTK_DIALOG(about), "OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(about), GTK_RESPONSE_OK);
    gtk_widget_show_all(about);
    gtk_dialog_run(GTK_DIALOG(about));
    gtk_widget_destroy(about);
}

void visitPage(const std::string& address) {
    // A failure to start the browser shows nothing.
    gchar* argv[] = {const_cast<gchar*>("xdg-open"), const_cast<gchar*>(address.c_str()), nullptr};
    g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr);
}

void close(View& view) {
    if (view.closed) return;
    view.closed = true;
    gtk_main_quit();
}

void runCommand(View& view, int control) {
    switch (view.logic->command(control)) {
    case CommandOutcome::ShowAbout: showAbout(view); break;
    case CommandOutcome::VisitPage: visitPage(view.logic->state().homePage); break;
    case CommandOutcome::Close: close(view); return;
    default: break;
    }
    sync(view);
}

// Callbacks carry the view and the control number.
struct Binding {
    View* view;
    int control;
};

Binding* bind(View& view, int control) {
    return new Binding{&view, control};
}

void freeBinding(gpointer data, GClosure*) {
    delete static_cast<Binding*>(data);
}

void onClicked(GtkWidget*, gpointer data) {
    Binding& b = *static_cast<Binding*>(data);
    if (!b.view->syncing) runCommand(*b.view, b.control);
}

void onRadio(GtkToggleButton* button, gpointer data) {
    Binding& b = *static_cast<Binding*>(data);
    if (b.view->syncing || !gtk_toggle_button_get_active(button)) return;
    b.view->logic->radioChosen(b.control);
    sync(*b.view);
}

void onModeChanged(GtkComboBox* combo, gpointer data) {
    View& view = *static_cast<View*>(data);
    if (view.syncing) return;
    view.logic->modeChosen(gtk_combo_box_get_active(combo));
    sync(view);
}

TrackMove moveFor(GtkScrollType scroll) {
    switch (scroll) {
    case GTK_SCROLL_PAGE_BACKWARD: case GTK_SCROLL_PAGE_UP: case GTK_SCROLL_PAGE_LEFT: return TrackMove::PageUp;
    case GTK_SCROLL_PAGE_FORWARD: case GTK_SCROLL_PAGE_DOWN: case GTK_SCROLL_PAGE_RIGHT: return TrackMove::PageDown;
    case GTK_SCROLL_JUMP: return TrackMove::ThumbTrack;
    case GTK_SCROLL_START: return TrackMove::Top;
    case GTK_SCROLL_END: return TrackMove::Bottom;
    case GTK_SCROLL_STEP_BACKWARD: case GTK_SCROLL_STEP_UP: case GTK_SCROLL_STEP_LEFT: return TrackMove::LineUp;
    default: return TrackMove::LineDown;
    }
}

gboolean onChangeValue(GtkRange*, GtkScrollType scroll, gdouble value, gpointer data) {
    Binding& b = *static_cast<Binding*>(data);
    b.view->logic->trackBarMoved(b.control, static_cast<int>(std::lround(value)), moveFor(scroll));
    sync(*b.view);
    return TRUE;
}

// The wheel steps the bar like an arrow key, which moves it without changing a setting.
gboolean onWheel(GtkWidget* widget, GdkEventScroll* event, gpointer data) {
    Binding& b = *static_cast<Binding*>(data);
    if (!gtk_widget_is_sensitive(widget)) return TRUE;
    double dx = 0, dy = 0;
    int step = 0;
    if (event->direction == GDK_SCROLL_UP || event->direction == GDK_SCROLL_LEFT) step = 1;
    else if (event->direction == GDK_SCROLL_DOWN || event->direction == GDK_SCROLL_RIGHT) step = -1;
    else if (gdk_event_get_scroll_deltas(reinterpret_cast<GdkEvent*>(event), &dx, &dy)) step = dy + dx < 0 ? 1 : dy + dx > 0 ? -1 : 0;
    if (step == 0) return TRUE;
    int position = static_cast<int>(std::lround(gtk_range_get_value(GTK_RANGE(widget)))) + step;
    b.view->logic->trackBarMoved(b.control, position, step < 0 ? TrackMove::LineUp : TrackMove::LineDown);
    sync(*b.view);
    return TRUE;
}

gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    View& view = *static_cast<View*>(data);
    if (event->keyval == GDK_KEY_Escape) {
        runCommand(view, kCancelButton);
        return TRUE;
    }
    // Enter is OK from every control but a push button, which Enter presses instead.
    if (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter) {
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(view.window));
        if (focus && GTK_IS_BUTTON(focus) && !GTK_IS_TOGGLE_BUTTON(focus)) return FALSE;
        runCommand(view, kOkButton);
        return TRUE;
    }
    return FALSE;
}

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data) {
    runCommand(*static_cast<View*>(data), kCancelButton);
    return TRUE;
}

void group(View& view, const char* title, int x, int y, int w, int h) {
    place(view, gtk_frame_new(title), x, y, w, h);
}

void label(View& view, GtkWidget* widget, int x, int y, int w, int h) {
    gtk_label_set_xalign(GTK_LABEL(widget), 0.0f);
    place(view, widget, x, y, w, h);
}

GtkWidget* button(View& view, int control, const char* text, int x, int y, int w, int h) {
    GtkWidget* widget = gtk_button_new_with_label(text);
    g_signal_connect_data(widget, "clicked", G_CALLBACK(onClicked), bind(view, control), freeBinding, GConnectFlags(0));
    place(view, widget, x, y, w, h);
    return widget;
}

void checkBox(View& view, int control, const char* text, int x, int y, int w, int h) {
    GtkWidget* widget = gtk_check_button_new_with_label(text);
    view.toggles[control] = widget;
    g_signal_connect_data(widget, "toggled", G_CALLBACK(onClicked), bind(view, control), freeBinding, GConnectFlags(0));
    place(view, widget, x, y, w, h);
}

void trackBar(View& view, int control, int x, int y, int w, int h) {
    GtkWidget* widget = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, 0, 100, 1);
    gtk_scale_set_draw_value(GTK_SCALE(widget), FALSE);
    view.bars[control] = widget;
    g_signal_connect_data(widget, "change-value", G_CALLBACK(onChangeValue), bind(view, control), freeBinding, GConnectFlags(0));
    g_signal_connect_data(widget, "scroll-event", G_CALLBACK(onWheel), bind(view, control), freeBinding, GConnectFlags(0));
    place(view, widget, x, y, w, h);
}

void picture(View& view, int x, int y, int w, int h) {
    GtkWidget* frame = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
    GtkWidget* area = gtk_event_box_new();
    GdkRGBA black{0, 0, 0, 1};
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_widget_override_background_color(area, GTK_STATE_FLAG_NORMAL, &black);
    G_GNUC_END_IGNORE_DEPRECATIONS
    if (GdkPixbuf* pixbuf = loadResourcePixbuf(dialogPicture())) {
        GdkPixbuf* fitted = gdk_pixbuf_scale_simple(pixbuf, w * kUnitX - 4, h * kUnitY - 4, GDK_INTERP_BILINEAR);
        gtk_container_add(GTK_CONTAINER(area), gtk_image_new_from_pixbuf(fitted ? fitted : pixbuf));
        if (fitted) g_object_unref(fitted);
        g_object_unref(pixbuf);
    }
    gtk_container_add(GTK_CONTAINER(frame), area);
    place(view, frame, x, y, w, h);
}

void build(View& view) {
    const ConfigDialogState& s = view.logic->state();
    view.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(view.window), "Tarnel Configuration");
    gtk_window_set_resizable(GTK_WINDOW(view.window), FALSE);
    gtk_window_set_position(GTK_WINDOW(view.window), GTK_WIN_POS_CENTER);
    gtk_window_set_type_hint(GTK_WINDOW(view.window), GDK_WINDOW_TYPE_HINT_DIALOG);
    view.fixed = gtk_fixed_new();
    gtk_widget_set_size_request(view.fixed, 397 * kUnitX, 244 * kUnitY);
    gtk_container_add(GTK_CONTAINER(view.window), view.fixed);

    // Groups first, so the controls inside them are drawn over their frames.
    group(view, "Video Mode", 6, 2, 93, 68);
    group(view, "Options", 105, 2, 102, 68);
    group(view, "Camera options", 6, 73, 201, 43);
    group(view, "Gamma Control", 6, 119, 201, 43);
    group(view, "Sounds", 213, 119, 177, 43);
    group(view, "Products", 6, 165, 385, 25);
    picture(view, 213, 5, 177, 106);

    view.modeList = gtk_combo_box_text_new();
    for (const std::string& mode : s.modes)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(view.modeList), mode.c_str());
    g_signal_connect(view.modeList, "changed", G_CALLBACK(onModeChanged), &view);
    place(view, view.modeList, 12, 14, 82, 12);
    checkBox(view, kUseDesktopBox, "Use Desktop Settings", 12, 31, 81, 9);
    checkBox(view, kVSyncBox, "VSync", 12, 45, 81, 9);

    checkBox(view, kShowFpsBox, "Show FPS", 111, 17, 48, 9);
    checkBox(view, kMouseExitBox, "Exit on Mouse move", 111, 31, 78, 9);
    checkBox(view, kShowTimeBox, "Show Time", 111, 45, 51, 9);
    GtkWidget* twelve = gtk_radio_button_new_with_label(nullptr, "12 Hrs");
    GtkWidget* twentyFour = gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(twelve), "24 Hrs");
    view.toggles[kTwelveHourRadio] = twelve;
    view.toggles[kTwentyFourHourRadio] = twentyFour;
    g_signal_connect_data(twelve, "toggled", G_CALLBACK(onRadio), bind(view, kTwelveHourRadio), freeBinding, GConnectFlags(0));
    g_signal_connect_data(twentyFour, "toggled", G_CALLBACK(onRadio), bind(view, kTwentyFourHourRadio), freeBinding, GConnectFlags(0));
    place(view, twelve, 124, 55, 37, 10);
    place(view, twentyFour, 164, 55, 37, 10);

    label(view, gtk_label_new("Camera Speed"), 15, 92, 50, 8);
    trackBar(view, kSpeedBar, 72, 91, 128, 12);

    view.brightnessLabel = gtk_label_new("Brightness 100%");
    label(view, view.brightnessLabel, 12, 130, 57, 8);
    trackBar(view, kGammaBar, 72, 130, 128, 12);
    checkBox(view, kDefaultGammaBox, "Use default gamma", 12, 144, 96, 10);

    view.volumeLabel = gtk_label_new("Volume (100%)");
    label(view, view.volumeLabel, 220, 130, 50, 8);
    trackBar(view, kVolumeBar, 273, 130, 113, 12);
    checkBox(view, kEnableMusicBox, "Enable Music", 220, 145, 85, 10);

    button(view, kVisitButton, "Visit...", 244, 173, 65, 12);
    button(view, kAboutButton, "About...", 319, 173, 65, 12);
    button(view, kRestoreDefaultsButton, "Restore Defaults", 6, 225, 75, 14);
    GtkWidget* ok = button(view, kOkButton, "OK", 244, 225, 65, 14);
    button(view, kCancelButton, "Cancel", 319, 225, 65, 14);
    gtk_widget_set_can_default(ok, TRUE);
    gtk_window_set_default(GTK_WINDOW(view.window), ok);

    g_signal_connect(view.window, "key-press-event", G_CALLBACK(onKey), &view);
    g_signal_connect(view.window, "delete-event", G_CALLBACK(onDelete), &view);
}

void makeTransient(View& view, std::uint64_t ownerWindow) {
    GdkDisplay* display = gtk_widget_get_display(view.window);
    if (!GDK_IS_X11_DISPLAY(display)) return;
    gdk_x11_display_error_trap_push(display);
    GdkWindow* owner = gdk_x11_window_foreign_new_for_display(display, static_cast<Window>(ownerWindow));
    if (owner) {
        gdk_window_set_transient_for(gtk_widget_get_window(view.window), owner);
        g_object_unref(owner);
    }
    gdk_x11_display_error_trap_pop_ignored(display);
}

}  // namespace

bool runConfigDialog(ConfigDialogLogic& logic, std::uint64_t ownerWindow) {
    if (!gtk_init_check(nullptr, nullptr)) return false;
    View view;
    view.logic = &logic;
    build(view);
    sync(view);
    gtk_widget_realize(view.window);
    if (ownerWindow != 0) makeTransient(view, ownerWindow);
    gtk_widget_show_all(view.window);
    gtk_widget_grab_focus(view.modeList);
    gtk_main();
    gtk_widget_destroy(view.window);
    while (gtk_events_pending()) gtk_main_iteration();
    return true;
}

}  // namespace tarnel::platform
