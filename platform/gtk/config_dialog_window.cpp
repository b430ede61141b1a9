// The configuration dialog in GTK 3 containers. The groups keep the places they have in the
// dialog layout (video mode and options side by side over the camera and gamma groups, the
// picture and the sound group to their right, the products row across the bottom), but every
// size comes from GTK: nothing is placed in pixels, so larger fonts push the controls apart
// instead of into each other. Buttons follow GTK's order (Cancel before OK) and every control
// with a text has a mnemonic.
#include "platform/gtk/config_dialog_window.h"

#include "platform/gtk/resource_pixbuf.h"

#include <cmath>
#include <cstring>
#include <string>

namespace tarnel::platform {

namespace {

constexpr int kGroupPadding = 8;    // pixels between a group's frame and its controls
constexpr int kSpacing = 6;         // pixels between controls of a group
constexpr int kGroupSpacing = 10;   // pixels between groups
constexpr int kBarWidth = 160;      // pixels: the least length of a track bar
constexpr int kPictureWidth = 266;  // pixels of the dialog picture, shown at its own size
constexpr int kPictureHeight = 172;
constexpr const char* kControlKey = "tarnel-control";

int controlOf(gpointer widget) {
    return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), kControlKey));
}

GtkWidget* group(const char* title, GtkWidget* content) {
    GtkWidget* frame = gtk_frame_new(title);
    gtk_widget_set_margin_start(content, kGroupPadding);
    gtk_widget_set_margin_end(content, kGroupPadding);
    gtk_widget_set_margin_top(content, kGroupPadding / 2);
    gtk_widget_set_margin_bottom(content, kGroupPadding);
    gtk_container_add(GTK_CONTAINER(frame), content);
    return frame;
}

GtkWidget* column() {
    return gtk_box_new(GTK_ORIENTATION_VERTICAL, kSpacing);
}

// Buttons packed at the end of a row, in the order they are added.
GtkWidget* buttonBox() {
    GtkWidget* row = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
    gtk_button_box_set_layout(GTK_BUTTON_BOX(row), GTK_BUTTONBOX_END);
    gtk_box_set_spacing(GTK_BOX(row), kSpacing);
    return row;
}

GtkWidget* grid() {
    GtkWidget* widget = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(widget), kSpacing);
    gtk_grid_set_column_spacing(GTK_GRID(widget), kSpacing * 2);
    return widget;
}

// A label drawn from the state carries its mnemonic on the first letter.
void setMnemonicText(GtkWidget* label, const std::string& text) {
    gtk_label_set_text_with_mnemonic(GTK_LABEL(label), ("_" + text).c_str());
}

void visitPage(const std::string& address) {
    // A failure to start the browser shows nothing.
    gchar* argv[] = {const_cast<gchar*>("xdg-open"), const_cast<gchar*>(address.c_str()), nullptr};
    g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr);
}

// The still beside the options, at its own size; black where it is missing.
GtkWidget* picture() {
    GtkWidget* frame = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
    gtk_widget_set_valign(frame, GTK_ALIGN_START);
    GtkWidget* area = gtk_event_box_new();
    gtk_widget_set_size_request(area, kPictureWidth, kPictureHeight);
    GdkRGBA black{0, 0, 0, 1};
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_widget_override_background_color(area, GTK_STATE_FLAG_NORMAL, &black);
    G_GNUC_END_IGNORE_DEPRECATIONS
    if (GdkPixbuf* pixbuf = loadResourcePixbuf(dialogPicture())) {
        gtk_container_add(GTK_CONTAINER(area), gtk_image_new_from_pixbuf(pixbuf));
        g_object_unref(pixbuf);
    }
    gtk_container_add(GTK_CONTAINER(frame), area);
    return frame;
}

}  // namespace

ConfigDialogWindow::ConfigDialogWindow(ConfigDialogLogic& logic, std::function<void()> closed)
    : logic_(logic), onClosed_(std::move(closed)) {
    build();
    sync();
}

ConfigDialogWindow::~ConfigDialogWindow() {
    if (window_) gtk_widget_destroy(window_);
}

GtkWidget* ConfigDialogWindow::control(int id) const {
    auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

// Files the widget under its control number, which its signal handler reads back.
GtkWidget* ConfigDialogWindow::bind(int id, GtkWidget* widget, const char* signal, GCallback handler) {
    g_object_set_data(G_OBJECT(widget), kControlKey, GINT_TO_POINTER(id));
    g_signal_connect(widget, signal, handler, this);
    controls_[id] = widget;
    return widget;
}

GtkWidget* ConfigDialogWindow::checkBox(int id, const char* text) {
    return bind(id, gtk_check_button_new_with_mnemonic(text), "toggled", G_CALLBACK(onClicked));
}

GtkWidget* ConfigDialogWindow::pushButton(int id, const char* text) {
    return bind(id, gtk_button_new_with_mnemonic(text), "clicked", G_CALLBACK(onClicked));
}

GtkWidget* ConfigDialogWindow::trackBar(int id) {
    GtkWidget* widget = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, 0, 100, 1);
    gtk_scale_set_draw_value(GTK_SCALE(widget), FALSE);
    gtk_range_set_round_digits(GTK_RANGE(widget), 0);
    gtk_widget_set_size_request(widget, kBarWidth, -1);
    gtk_widget_set_hexpand(widget, TRUE);
    // Every change of position, whatever made it (keys, wheel, click, drag), goes to the logic.
    return bind(id, widget, "value-changed", G_CALLBACK(onBarMoved));
}

// A label whose percentage changes: wide enough for its widest text from the start, so the
// bar beside it does not shift as the number grows.
GtkWidget* ConfigDialogWindow::barLabel(int id, int barId, int widestText) {
    GtkWidget* widget = gtk_label_new(nullptr);
    gtk_label_set_xalign(GTK_LABEL(widget), 0.0f);
    gtk_label_set_width_chars(GTK_LABEL(widget), widestText);
    gtk_label_set_mnemonic_widget(GTK_LABEL(widget), controls_.at(barId));
    controls_[id] = widget;
    return widget;
}

GtkWidget* ConfigDialogWindow::videoModeGroup() {
    GtkWidget* modes = gtk_combo_box_text_new();
    for (const std::string& mode : logic_.state().modes)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(modes), mode.c_str());
    g_signal_connect(modes, "changed", G_CALLBACK(onModeChanged), this);
    controls_[kModeList] = modes;
    GtkWidget* box = column();
    gtk_container_add(GTK_CONTAINER(box), modes);
    gtk_container_add(GTK_CONTAINER(box), checkBox(kUseDesktopBox, "Use _Desktop Settings"));
    gtk_container_add(GTK_CONTAINER(box), checkBox(kVSyncBox, "VS_ync"));
    return group("Video Mode", box);
}

GtkWidget* ConfigDialogWindow::optionsGroup() {
    GtkWidget* box = column();
    gtk_container_add(GTK_CONTAINER(box), checkBox(kShowFpsBox, "Show _FPS"));
    gtk_container_add(GTK_CONTAINER(box), checkBox(kMouseExitBox, "E_xit on Mouse move"));
    gtk_container_add(GTK_CONTAINER(box), checkBox(kShowTimeBox, "Show _Time"));
    GtkWidget* twelve = gtk_radio_button_new_with_mnemonic(nullptr, "_12 Hrs");
    GtkWidget* twentyFour = gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(twelve), "_24 Hrs");
    bind(kTwelveHourRadio, twelve, "toggled", G_CALLBACK(onRadio));
    bind(kTwentyFourHourRadio, twentyFour, "toggled", G_CALLBACK(onRadio));
    // The time formats sit under Show Time, set in as its dependants.
    GtkWidget* radios = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, kSpacing * 2);
    gtk_widget_set_margin_start(radios, kGroupPadding * 3);
    gtk_container_add(GTK_CONTAINER(radios), twelve);
    gtk_container_add(GTK_CONTAINER(radios), twentyFour);
    gtk_container_add(GTK_CONTAINER(box), radios);
    return group("Options", box);
}

GtkWidget* ConfigDialogWindow::cameraGroup() {
    GtkWidget* bar = trackBar(kSpeedBar);
    GtkWidget* caption = gtk_label_new_with_mnemonic("Camera _Speed");
    gtk_label_set_xalign(GTK_LABEL(caption), 0.0f);
    gtk_label_set_mnemonic_widget(GTK_LABEL(caption), bar);
    return barGroup("Camera options", caption, bar, nullptr);
}

GtkWidget* ConfigDialogWindow::gammaGroup() {
    GtkWidget* bar = trackBar(kGammaBar);
    GtkWidget* label = barLabel(kBrightnessLabel, kGammaBar, std::strlen("Brightness (150%)"));
    return barGroup("Gamma Control", label, bar, checkBox(kDefaultGammaBox, "Use default _gamma"));
}

GtkWidget* ConfigDialogWindow::soundsGroup() {
    GtkWidget* bar = trackBar(kVolumeBar);
    GtkWidget* label = barLabel(kVolumeLabel, kVolumeBar, std::strlen("Volume (100%)"));
    return barGroup("Sounds", label, bar, checkBox(kEnableMusicBox, "Enable _Music"));
}

// A label and its bar side by side, and the check box that governs them below when given.
GtkWidget* ConfigDialogWindow::barGroup(const char* title, GtkWidget* label, GtkWidget* bar, GtkWidget* below) {
    GtkWidget* box = grid();
    gtk_grid_attach(GTK_GRID(box), label, 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(box), bar, 1, 0, 1, 1);
    if (below) gtk_grid_attach(GTK_GRID(box), below, 0, 1, 2, 1);
    return group(title, box);
}

GtkWidget* ConfigDialogWindow::productsGroup() {
    GtkWidget* row = buttonBox();
    gtk_container_add(GTK_CONTAINER(row), pushButton(kVisitButton, "V_isit..."));
    gtk_container_add(GTK_CONTAINER(row), pushButton(kAboutButton, "_About..."));
    return group("Products", row);
}

GtkWidget* ConfigDialogWindow::buttonRow() {
    GtkWidget* row = buttonBox();
    GtkWidget* restore = pushButton(kRestoreDefaultsButton, "_Restore Defaults");
    gtk_container_add(GTK_CONTAINER(row), restore);
    gtk_button_box_set_child_secondary(GTK_BUTTON_BOX(row), restore, TRUE);
    gtk_container_add(GTK_CONTAINER(row), pushButton(kCancelButton, "_Cancel"));
    GtkWidget* ok = pushButton(kOkButton, "_OK");
    gtk_container_add(GTK_CONTAINER(row), ok);
    gtk_widget_set_can_default(ok, TRUE);
    return row;
}

void ConfigDialogWindow::build() {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), "Tarnel Configuration");
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);

    GtkWidget* groups = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(groups), kGroupSpacing);
    gtk_grid_set_column_spacing(GTK_GRID(groups), kGroupSpacing);
    gtk_grid_attach(GTK_GRID(groups), videoModeGroup(), 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(groups), optionsGroup(), 1, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(groups), picture(), 2, 0, 1, 2);
    gtk_grid_attach(GTK_GRID(groups), cameraGroup(), 0, 1, 2, 1);
    gtk_grid_attach(GTK_GRID(groups), gammaGroup(), 0, 2, 2, 1);
    gtk_grid_attach(GTK_GRID(groups), soundsGroup(), 2, 2, 1, 1);
    gtk_grid_attach(GTK_GRID(groups), productsGroup(), 0, 3, 3, 1);

    GtkWidget* page = gtk_box_new(GTK_ORIENTATION_VERTICAL, kGroupSpacing * 2);
    gtk_container_set_border_width(GTK_CONTAINER(page), kGroupSpacing);
    gtk_container_add(GTK_CONTAINER(page), groups);
    gtk_container_add(GTK_CONTAINER(page), buttonRow());
    gtk_container_add(GTK_CONTAINER(window_), page);
    gtk_window_set_default(GTK_WINDOW(window_), controls_.at(kOkButton));

    g_signal_connect(window_, "key-press-event", G_CALLBACK(onKey), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
    gtk_widget_show_all(gtk_bin_get_child(GTK_BIN(window_)));
}

void ConfigDialogWindow::sync() {
    const ConfigDialogState& s = logic_.state();
    syncing_ = true;
    gtk_combo_box_set_active(GTK_COMBO_BOX(control(kModeList)), s.selectedMode);
    gtk_widget_set_sensitive(control(kModeList), s.modeListEnabled);
    auto setToggle = [this](int id, bool on, bool enabled) {
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(control(id)), on);
        gtk_widget_set_sensitive(control(id), enabled);
    };
    setToggle(kUseDesktopBox, s.useDesktop, true);
    setToggle(kVSyncBox, s.vsync, true);
    setToggle(kShowFpsBox, s.showFps, true);
    setToggle(kMouseExitBox, s.mouseExit, true);
    setToggle(kShowTimeBox, s.showTime, true);
    // A radio button cannot be cleared directly; marking its partner clears it.
    setToggle(s.twelveHour ? kTwelveHourRadio : kTwentyFourHourRadio, true, s.radiosEnabled);
    gtk_widget_set_sensitive(control(s.twelveHour ? kTwentyFourHourRadio : kTwelveHourRadio), s.radiosEnabled);
    setToggle(kEnableMusicBox, s.enableMusic, true);
    setToggle(kDefaultGammaBox, s.defaultGamma, true);
    auto setBar = [this](int id, const TrackBarState& bar) {
        GtkRange* range = GTK_RANGE(control(id));
        gtk_range_set_range(range, bar.low, bar.high);
        gtk_range_set_increments(range, 1, bar.page);
        gtk_range_set_value(range, bar.position);
        gtk_widget_set_sensitive(control(id), bar.enabled);
    };
    setBar(kVolumeBar, s.volume);
    setBar(kGammaBar, s.gamma);
    setBar(kSpeedBar, s.speed);
    setMnemonicText(control(kVolumeLabel), s.volumeLabel);
    gtk_widget_set_sensitive(control(kVolumeLabel), s.volumeLabelEnabled);
    setMnemonicText(control(kBrightnessLabel), s.brightnessLabel);
    gtk_widget_set_sensitive(control(kBrightnessLabel), s.brightnessLabelEnabled);
    syncing_ = false;
}

void ConfigDialogWindow::showAbout() {
    GtkWidget* about = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(about), "About");
    gtk_window_set_transient_for(GTK_WINDOW(about), GTK_WINDOW(window_));
    gtk_window_set_modal(GTK_WINDOW(about), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(about), FALSE);
    GtkWidget* text = gtk_label_new(logic_.state().aboutText.c_str());
    gtk_label_set_justify(GTK_LABEL(text), GTK_JUSTIFY_CENTER);
    gtk_widget_set_margin_start(text, kGroupPadding * 3);
    gtk_widget_set_margin_end(text, kGroupPadding * 3);
    gtk_widget_set_margin_top(text, kGroupPadding * 2);
    gtk_widget_set_margin_bottom(text, kGroupPadding * 2);
    GtkWidget* frame = gtk_frame_new(nullptr);
    gtk_container_set_border_width(GTK_CONTAINER(frame), kGroupSpacing);
    gtk_container_add(GTK_CONTAINER(frame), text);
    gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(about))), frame, TRUE, TRUE, 0);
    gtk_dialog_add_button(GTK_DIALOG(about), "_OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(about), GTK_RESPONSE_OK);
    gtk_widget_show_all(about);
    gtk_dialog_run(GTK_DIALOG(about));
    gtk_widget_destroy(about);
}

// Said over the dialog before it closes: a user who opened it from the desktop sees no log.
void ConfigDialogWindow::showSaveFailure() {
    GtkWidget* box = gtk_message_dialog_new(GTK_WINDOW(window_), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                            GTK_BUTTONS_OK, "%s", logic_.state().saveFailure.c_str());
    gtk_window_set_title(GTK_WINDOW(box), "Settings Not Saved");
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
}

void ConfigDialogWindow::runCommand(int id) {
    switch (logic_.command(id)) {
    case CommandOutcome::ShowAbout: showAbout(); break;
    case CommandOutcome::VisitPage: visitPage(logic_.state().homePage); break;
    case CommandOutcome::Close:
        if (closed_) return;
        closed_ = true;
        if (!logic_.state().saveFailure.empty()) showSaveFailure();
        if (onClosed_) onClosed_();
        return;
    default: break;
    }
    sync();
}

void ConfigDialogWindow::onClicked(GtkWidget* widget, gpointer self) {
    auto& view = *static_cast<ConfigDialogWindow*>(self);
    if (!view.syncing_) view.runCommand(controlOf(widget));
}

void ConfigDialogWindow::onRadio(GtkToggleButton* button, gpointer self) {
    auto& view = *static_cast<ConfigDialogWindow*>(self);
    if (view.syncing_ || !gtk_toggle_button_get_active(button)) return;
    view.logic_.radioChosen(controlOf(button));
    view.sync();
}

void ConfigDialogWindow::onModeChanged(GtkComboBox* combo, gpointer self) {
    auto& view = *static_cast<ConfigDialogWindow*>(self);
    if (view.syncing_) return;
    view.logic_.modeChosen(gtk_combo_box_get_active(combo));
    view.sync();
}

void ConfigDialogWindow::onBarMoved(GtkRange* range, gpointer self) {
    auto& view = *static_cast<ConfigDialogWindow*>(self);
    if (view.syncing_) return;
    view.logic_.trackBarMoved(controlOf(range), static_cast<int>(std::lround(gtk_range_get_value(range))));
    view.sync();
}

gboolean ConfigDialogWindow::onKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto& view = *static_cast<ConfigDialogWindow*>(self);
    if (event->keyval == GDK_KEY_Escape) {
        view.runCommand(kCancelButton);
        return TRUE;
    }
    // Enter is OK from every control but a push button, which Enter presses instead.
    if (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter) {
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(view.window_));
        if (focus && GTK_IS_BUTTON(focus) && !GTK_IS_TOGGLE_BUTTON(focus)) return FALSE;
        view.runCommand(kOkButton);
        return TRUE;
    }
    return FALSE;
}

gboolean ConfigDialogWindow::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<ConfigDialogWindow*>(self)->runCommand(kCancelButton);
    return TRUE;
}

}  // namespace tarnel::platform
