// The configuration dialog's GTK window: the controls of the dialog laid out with grids,
// frames and boxes, so that every text gets the room its font asks for. Each user action goes
// to the toolkit-free logic and the whole state is drawn again after it.
#pragma once

#include "platform/config_dialog.h"

#include <gtk/gtk.h>

#include <functional>
#include <map>

namespace tarnel::platform {

class ConfigDialogWindow {
public:
    // Builds the window (not yet shown) over logic. closed runs once, when the logic closes
    // the dialog, after the message box of a failed save.
    ConfigDialogWindow(ConfigDialogLogic& logic, std::function<void()> closed);
    ~ConfigDialogWindow();
    ConfigDialogWindow(const ConfigDialogWindow&) = delete;
    ConfigDialogWindow& operator=(const ConfigDialogWindow&) = delete;

    GtkWidget* window() const { return window_; }
    // The widget of a control number of config_dialog.h; null for a number it does not have.
    GtkWidget* control(int id) const;
    bool closed() const { return closed_; }

private:
    void build();
    GtkWidget* videoModeGroup();
    GtkWidget* optionsGroup();
    GtkWidget* cameraGroup();
    GtkWidget* gammaGroup();
    GtkWidget* soundsGroup();
    GtkWidget* productsGroup();
    GtkWidget* barGroup(const char* title, GtkWidget* label, GtkWidget* bar, GtkWidget* below);
    GtkWidget* buttonRow();
    GtkWidget* bind(int id, GtkWidget* widget, const char* signal, GCallback handler);
    GtkWidget* checkBox(int id, const char* text);
    GtkWidget* pushButton(int id, const char* text);
    GtkWidget* trackBar(int id);
    GtkWidget* barLabel(int id, int barId, int widestText);

    void sync();
    void runCommand(int id);
    void showAbout();
    void showSaveFailure();

    static void onClicked(GtkWidget* widget, gpointer self);
    static void onRadio(GtkToggleButton* button, gpointer self);
    static void onModeChanged(GtkComboBox* combo, gpointer self);
    static void onBarMoved(GtkRange* range, gpointer self);
    static gboolean onKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);

    ConfigDialogLogic& logic_;
    std::function<void()> onClosed_;
    GtkWidget* window_ = nullptr;
    std::map<int, GtkWidget*> controls_;
    bool syncing_ = false;   // true while the state is being drawn
    bool closed_ = false;
};

}  // namespace tarnel::platform
