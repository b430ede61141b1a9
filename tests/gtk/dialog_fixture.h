// The configuration dialog's GTK window on a private Xvfb that the test program starts for
// itself, with the real dialog logic behind it. Helpers give each control's place on the
// screen and send it real input through xdotool (XTest), as a user's devices would.
#pragma once

#include "host/dialog_controller.h"
#include "platform/gtk/config_dialog_window.h"

#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <gtk/gtk.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace tarnel::testing {

// One Xvfb for the whole program, large enough for the dialog at twice the font size.
class PrivateXServer : public ::testing::Environment {
public:
    void SetUp() override {
        // Another server can take the display number that this one was about to use, and
        // this one then ends: a new start finds another number.
        for (int start = 0; start < 3; ++start) {
            std::string display = startServer();
            // The server names its display a moment before it takes clients. GTK is asked only
            // once a client got in: it keeps the display it failed on.
            for (int tries = 0; tries < 100 && !display.empty() && serverRuns(); ++tries) {
                if (Display* client = XOpenDisplay(display.c_str())) {
                    XCloseDisplay(client);
                    ::setenv("DISPLAY", display.c_str(), 1);
                    ::setenv("NO_AT_BRIDGE", "1", 1);
                    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "GTK cannot open " << display;
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            stopServer();
        }
        FAIL() << "no Xvfb that GTK could open";
    }
    void TearDown() override { stopServer(); }

private:
    // ":N" once the server has named its display; empty when it ended first.
    std::string startServer() {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) return {};
        server_ = ::fork();
        if (server_ == 0) {
            ::close(pipeEnds[0]);
            std::string fd = std::to_string(pipeEnds[1]);
            int quiet = ::open("/dev/null", O_WRONLY);
            if (quiet >= 0) ::dup2(quiet, STDERR_FILENO);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "2400x1600x24", "-nolisten", "tcp", "-noreset",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(pipeEnds[1]);
        // Held open while the server runs: it ends when it cannot write its number there, and
        // it may write it again.
        numberPipe_ = pipeEnds[0];
        char number[32] = {};
        ssize_t got = server_ > 0 ? ::read(numberPipe_, number, sizeof number - 1) : 0;
        std::string display(number, got > 0 ? static_cast<std::size_t>(got) : 0);
        while (!display.empty() && display.back() == '\n') display.pop_back();
        return display.empty() ? std::string() : ":" + display;
    }
    bool serverRuns() {
        if (server_ > 0 && ::waitpid(server_, nullptr, WNOHANG) == 0) return true;
        server_ = -1;  // reaped, or never started
        return false;
    }
    void stopServer() {
        if (server_ > 0) {
            ::kill(server_, SIGTERM);
            ::waitpid(server_, nullptr, 0);
        }
        server_ = -1;
        if (numberPipe_ >= 0) ::close(numberPipe_);
        numberPipe_ = -1;
    }

    pid_t server_ = -1;
    int numberPipe_ = -1;
};

inline ::testing::Environment* const kXServer = ::testing::AddGlobalTestEnvironment(new PrivateXServer);

// Runs GTK's events until done() holds or seconds pass; false on the timeout.
inline bool pumpUntil(const std::function<bool()>& done, double seconds = 3.0) {
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Lets every event in flight arrive: the server's queue, then GTK's.
inline void settle() {
    gdk_display_sync(gdk_display_get_default());
    pumpUntil([] { return false; }, 0.15);
}

struct Box {
    int x, y, width, height;  // pixels, in the coordinates of the widget's window
    bool overlaps(const Box& o) const {
        return x < o.x + o.width && o.x < x + width && y < o.y + o.height && o.y < y + height;
    }
    bool contains(const Box& o) const {
        return o.x >= x && o.y >= y && o.x + o.width <= x + width && o.y + o.height <= y + height;
    }
};

// A widget's allocation in the coordinates of its top-level window.
inline Box boxInWindow(GtkWidget* widget) {
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    int x = 0, y = 0;
    gtk_widget_translate_coordinates(widget, gtk_widget_get_toplevel(widget), 0, 0, &x, &y);
    return Box{x, y, a.width, a.height};
}

// A shown window that has got the size it asked for.
inline bool laidOut(GtkWidget* window) {
    if (!gtk_widget_get_mapped(window)) return false;
    GtkRequisition least, natural;
    gtk_widget_get_preferred_size(window, &least, &natural);
    return gtk_widget_get_allocated_width(window) >= natural.width &&
           gtk_widget_get_allocated_height(window) >= natural.height;
}

// Sends xdotool's words to the server (mouse moves, clicks, wheel, keys).
inline void xdotool(const std::string& words) {
    ASSERT_EQ(std::system(("xdotool " + words).c_str()), 0) << "xdotool " << words;
}

// A dialog over default settings with a save that records what it was given.
class DialogOnScreen : public ::testing::Test {
protected:
    void open() {
        controller = std::make_unique<DialogController>(
            settings, modes, platform::DisplayMode{1024, 768, 32, 60},
            [this](const Settings& edited, std::string& reason) {
                saved = std::make_unique<Settings>(edited);
                if (!saveWorks) reason = "Read-only file system";
                return saveWorks;
            },
            "/home/me/.config/tarnel/settings.ini");
        dialog = std::make_unique<platform::ConfigDialogWindow>(*controller, [this] { closed = true; });
        gtk_widget_show(dialog->window());
        ASSERT_TRUE(pumpUntil([this] { return laidOut(dialog->window()); }));
        settle();
    }
    void TearDown() override {
        dialog.reset();
        settle();
    }

    GtkWidget* control(int id) { return dialog->control(id); }
    // The middle of a control on the screen.
    std::string pointAt(int id, double fraction = 0.5) {
        int originX = 0, originY = 0;
        gdk_window_get_origin(gtk_widget_get_window(dialog->window()), &originX, &originY);
        Box box = boxInWindow(control(id));
        return std::to_string(originX + box.x + static_cast<int>(box.width * fraction)) + " " +
               std::to_string(originY + box.y + box.height / 2);
    }
    int barValue(int id) { return static_cast<int>(gtk_range_get_value(GTK_RANGE(control(id))) + 0.5); }
    std::string labelText(int id) { return gtk_label_get_text(GTK_LABEL(control(id))); }

    Settings settings;
    std::vector<platform::DisplayMode> modes{{800, 600, 32, 60}, {1024, 768, 32, 60}};
    bool saveWorks = true;
    std::unique_ptr<Settings> saved;
    std::unique_ptr<DialogController> controller;
    std::unique_ptr<platform::ConfigDialogWindow> dialog;
    bool closed = false;
};

// Runs action, which opens a modal window titled title; check sees that window once it is
// shown and laid out, and then it is answered with its default response.
inline void withModal(const char* title, const std::function<void()>& action,
                      const std::function<void(GtkWindow*)>& check) {
    struct Watch {
        const char* title;
        std::function<void(GtkWindow*)> check;
        bool seen = false;
        bool finished = false;
        int polls = 0;
    } watch{title, check};
    guint source = g_timeout_add(20, [](gpointer data) -> gboolean {
        auto& w = *static_cast<Watch*>(data);
        GList* windows = gtk_window_list_toplevels();
        for (GList* item = windows; item; item = item->next) {
            GtkWindow* window = GTK_WINDOW(item->data);
            const char* title = gtk_window_get_title(window);
            if (!title || std::string(title) != w.title || !laidOut(GTK_WIDGET(window))) continue;
            w.check(window);
            w.seen = true;
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        }
        g_list_free(windows);
        // Gives up after five seconds.
        w.finished = w.seen || ++w.polls >= 250;
        return !w.finished;
    }, &watch);
    action();
    if (!watch.finished) g_source_remove(source);
    EXPECT_TRUE(watch.seen) << "no window \"" << title << "\"";
}

}  // namespace tarnel::testing
