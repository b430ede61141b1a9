// The preview: a child window that fills the parent's area, shows the preview picture at
// its top-left at its own size, black elsewhere, and lives until the parent takes it away.
#include "platform/config_dialog.h"

#include "platform/gtk/resource_pixbuf.h"
#include "platform/message_box.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace tarnel::platform {

namespace {

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

int shiftOf(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The picture in the window's own pixel format; null for visuals other than true colour.
XImage* makeImage(Display* display, const XWindowAttributes& attributes, GdkPixbuf* pixbuf) {
    Visual* visual = attributes.visual;
    if (!pixbuf || visual->c_class != TrueColor) return nullptr;
    int width = gdk_pixbuf_get_width(pixbuf);
    int height = gdk_pixbuf_get_height(pixbuf);
    int channels = gdk_pixbuf_get_n_channels(pixbuf);
    int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
    if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels < 3) return nullptr;
    XImage* image = XCreateImage(display, visual, attributes.depth, ZPixmap, 0, nullptr, width, height, 32, 0);
    if (!image) return nullptr;
    image->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(image->bytes_per_line), height));
    if (!image->data) {
        XDestroyImage(image);
        return nullptr;
    }
    int redShift = shiftOf(visual->red_mask), greenShift = shiftOf(visual->green_mask);
    int blueShift = shiftOf(visual->blue_mask);
    auto scale = [](unsigned value, unsigned long mask, int shift) {
        unsigned long top = mask >> shift;
        return ((value * top + 127) / 255) << shift;
    };
    for (int y = 0; y < height; ++y) {
        const guchar* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const guchar* p = row + x * channels;
            XPutPixel(image, x, y, scale(p[0], visual->red_mask, redShift) |
                                       scale(p[1], visual->green_mask, greenShift) |
                                       scale(p[2], visual->blue_mask, blueShift));
        }
    }
    return image;
}

}  // namespace

bool runPreviewWindow(std::uint64_t parentWindow) {
    Display* display = XOpenDisplay(nullptr);
    XWindowAttributes parent{};
    bool parentFound = false;
    XErrorHandler previous = nullptr;
    if (display) {
        previous = XSetErrorHandler(ignoreErrors);
        parentFound = parentWindow != 0 && XGetWindowAttributes(display, static_cast<Window>(parentWindow), &parent);
    }
    Window child = 0;
    if (parentFound) {
        child = XCreateSimpleWindow(display, static_cast<Window>(parentWindow), 0, 0,
                                    static_cast<unsigned>(parent.width > 0 ? parent.width : 1),
                                    static_cast<unsigned>(parent.height > 0 ? parent.height : 1), 0, 0,
                                    BlackPixel(display, DefaultScreen(display)));
        XSync(display, False);
        XWindowAttributes made{};
        if (child && !XGetWindowAttributes(display, child, &made)) child = 0;
    }
    if (!child) {
        if (display) XCloseDisplay(display);
        showMessageBox("Cannot creat window!", "ERROR");
        return false;
    }
    XStoreName(display, child, "Tarnel3D");
    XSelectInput(display, child, ExposureMask | StructureNotifyMask);
    XMapWindow(display, child);

    XWindowAttributes attributes{};
    XGetWindowAttributes(display, child, &attributes);
    GdkPixbuf* pixbuf = loadResourcePixbuf(previewPicture());
    XImage* image = makeImage(display, attributes, pixbuf);
    if (pixbuf) g_object_unref(pixbuf);
    GC gc = XCreateGC(display, child, 0, nullptr);

    // The parent destroying the child, or the window manager closing it, ends the loop.
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, child, &deleteWindow, 1);
    for (bool running = true; running;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case Expose:
            if (image && event.xexpose.count == 0)
                XPutImage(display, child, gc, image, 0, 0, 0, 0, static_cast<unsigned>(image->width),
                          static_cast<unsigned>(image->height));
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == child) running = false;
            break;
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) running = false;
            break;
        default:
            break;
        }
    }
    if (image) XDestroyImage(image);
    XFreeGC(display, gc);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return true;
}

}  // namespace tarnel::platform
