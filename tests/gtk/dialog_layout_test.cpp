// The dialog's layout at the font scale of this run (GDK_DPI_SCALE; CTest runs 1.0, 1.5 and
// 2.0): read from the widgets' allocations once GTK has laid the window out.
#include "tests/gtk/dialog_fixture.h"

#include <algorithm>
#include <set>
#include <vector>

// Fontconfig keeps the patterns it matched for Pango until the process ends; those are the
// library's caches, not the dialog's leaks.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace tarnel::testing {
namespace {

void collect(GtkWidget* widget, std::vector<GtkWidget*>& all) {
    if (!gtk_widget_get_visible(widget)) return;
    all.push_back(widget);
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), [](GtkWidget* child, gpointer list) {
            collect(child, *static_cast<std::vector<GtkWidget*>*>(list));
        }, &all);
}

bool inside(GtkWidget* widget, GType type) {
    for (GtkWidget* up = gtk_widget_get_parent(widget); up; up = gtk_widget_get_parent(up))
        if (G_TYPE_CHECK_INSTANCE_TYPE(up, type)) return true;
    return false;
}

std::string describe(GtkWidget* widget) {
    std::string name = G_OBJECT_TYPE_NAME(widget);
    if (GTK_IS_LABEL(widget)) name += " \"" + std::string(gtk_label_get_text(GTK_LABEL(widget))) + "\"";
    if (GTK_IS_BUTTON(widget) && gtk_button_get_label(GTK_BUTTON(widget)))
        name += " \"" + std::string(gtk_button_get_label(GTK_BUTTON(widget))) + "\"";
    if (GTK_IS_FRAME(widget) && gtk_frame_get_label(GTK_FRAME(widget)))
        name += " \"" + std::string(gtk_frame_get_label(GTK_FRAME(widget))) + "\"";
    return name;
}

// Every label shows its whole text: it has at least the size its text asks for, and lies
// wholly inside each container around it (a container clips what sticks out).
void expectNoLabelCut(GtkWidget* window) {
    std::vector<GtkWidget*> all;
    collect(window, all);
    int labels = 0;
    for (GtkWidget* widget : all) {
        if (!GTK_IS_LABEL(widget) || !*gtk_label_get_text(GTK_LABEL(widget))) continue;
        ++labels;
        // The size asked for counts the margins; the allocation does not.
        GtkRequisition least, natural;
        gtk_widget_get_preferred_size(widget, &least, &natural);
        int marginsX = gtk_widget_get_margin_start(widget) + gtk_widget_get_margin_end(widget);
        int marginsY = gtk_widget_get_margin_top(widget) + gtk_widget_get_margin_bottom(widget);
        Box box = boxInWindow(widget);
        EXPECT_GE(box.width, natural.width - marginsX) << describe(widget);
        EXPECT_GE(box.height, natural.height - marginsY) << describe(widget);
        for (GtkWidget* up = gtk_widget_get_parent(widget); up; up = gtk_widget_get_parent(up))
            EXPECT_TRUE(boxInWindow(up).contains(box)) << describe(widget) << " sticks out of " << describe(up);
    }
    EXPECT_GT(labels, 0);
}

class DialogLayout : public DialogOnScreen {};

TEST_F(DialogLayout, TheFontScaleOfThisRunIsInForce) {
    const char* scale = std::getenv("GDK_DPI_SCALE");
    EXPECT_DOUBLE_EQ(gdk_screen_get_resolution(gdk_screen_get_default()), 96.0 * (scale ? std::atof(scale) : 1.0));
}

TEST_F(DialogLayout, NoControlOverlapsAnotherAndNoLabelIsCut) {
    settings.DefGamma = false;
    open();
    std::vector<GtkWidget*> all;
    collect(dialog->window(), all);
    // The controls a user sees as one thing each: a button with its label, a combo box with
    // its parts, a frame's title, a bar, a free label, the picture.
    std::vector<GtkWidget*> controls, groups;
    for (GtkWidget* widget : all) {
        if (inside(widget, GTK_TYPE_BUTTON) || inside(widget, GTK_TYPE_COMBO_BOX)) continue;
        if (GTK_IS_FRAME(widget)) groups.push_back(widget);
        if (GTK_IS_BUTTON(widget) || GTK_IS_COMBO_BOX(widget) || GTK_IS_RANGE(widget) || GTK_IS_LABEL(widget) ||
            GTK_IS_EVENT_BOX(widget))
            controls.push_back(widget);
    }
    EXPECT_EQ(groups.size(), 7u) << "six group boxes and the picture's frame";
    EXPECT_EQ(controls.size(), 28u) << "22 controls and 6 group titles";
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(boxInWindow(controls[i]).overlaps(boxInWindow(controls[j])))
                << describe(controls[i]) << " overlaps " << describe(controls[j]);
    for (std::size_t i = 0; i < groups.size(); ++i)
        for (std::size_t j = i + 1; j < groups.size(); ++j)
            EXPECT_FALSE(boxInWindow(groups[i]).overlaps(boxInWindow(groups[j])))
                << describe(groups[i]) << " overlaps " << describe(groups[j]);
    expectNoLabelCut(dialog->window());
}

TEST_F(DialogLayout, CancelComesBeforeOkAndEveryTextHasItsOwnMnemonic) {
    open();
    Box restore = boxInWindow(control(platform::kRestoreDefaultsButton));
    Box cancel = boxInWindow(control(platform::kCancelButton));
    Box ok = boxInWindow(control(platform::kOkButton));
    EXPECT_EQ(cancel.y, ok.y);
    EXPECT_LT(cancel.x + cancel.width, ok.x);
    EXPECT_LT(restore.x + restore.width, cancel.x);
    EXPECT_EQ(gtk_window_get_default_widget(GTK_WINDOW(dialog->window())), control(platform::kOkButton));
    std::set<guint> keys;
    int texts = 0;
    std::vector<GtkWidget*> all;
    collect(dialog->window(), all);
    for (GtkWidget* widget : all) {
        // Every label of a control but the group titles, which name no single control.
        if (!GTK_IS_LABEL(widget) || inside(widget, GTK_TYPE_COMBO_BOX)) continue;
        GtkWidget* parent = gtk_widget_get_parent(widget);
        if (GTK_IS_FRAME(parent) && gtk_frame_get_label_widget(GTK_FRAME(parent)) == widget) continue;
        ++texts;
        guint key = gtk_label_get_mnemonic_keyval(GTK_LABEL(widget));
        EXPECT_NE(key, static_cast<guint>(GDK_KEY_VoidSymbol)) << describe(widget) << " has no mnemonic";
        EXPECT_TRUE(keys.insert(gdk_keyval_to_lower(key)).second) << describe(widget) << " shares its mnemonic";
    }
    EXPECT_EQ(texts, 17);
}

TEST_F(DialogLayout, AboutBoxShowsItsWholeText) {
    open();
    withModal("About", [this] { gtk_button_clicked(GTK_BUTTON(control(platform::kAboutButton))); },
              [](GtkWindow* about) { expectNoLabelCut(GTK_WIDGET(about)); });
}

}  // namespace
}  // namespace tarnel::testing
