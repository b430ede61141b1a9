// Decodes a resource picture, embedded or from a file, into a pixbuf.
#pragma once

#include "platform/config_dialog.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace tarnel::platform {

// A new reference, or null when the picture is missing or unreadable.
GdkPixbuf* loadResourcePixbuf(const ResourceImage& image);

}  // namespace tarnel::platform
