// Resource pictures: the embedded copy first, then the files beside the build or install.
#include "platform/gtk/resource_pixbuf.h"

namespace tarnel::platform {

GdkPixbuf* loadResourcePixbuf(const ResourceImage& image) {
    if (image.bytes && image.size > 0) {
        GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
        GdkPixbuf* pixbuf = nullptr;
        if (gdk_pixbuf_loader_write(loader, image.bytes, image.size, nullptr) &&
            gdk_pixbuf_loader_close(loader, nullptr)) {
            pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
            if (pixbuf) g_object_ref(pixbuf);
        } else {
            gdk_pixbuf_loader_close(loader, nullptr);
        }
        g_object_unref(loader);
        if (pixbuf) return pixbuf;
    }
    for (const std::string& file : image.fallbackFiles) {
        if (GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(file.c_str(), nullptr)) return pixbuf;
    }
    return nullptr;
}

}  // namespace tarnel::platform
