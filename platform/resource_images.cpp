// Where the dialog and preview pictures come from. A build that found the rendered pictures
// when it was configured carries them inside the program; otherwise they are read from the
// build tree or the installed data folder, and a missing picture shows as black.
#include "platform/config_dialog.h"

#include "platform/system.h"

#ifdef TARNEL_HAVE_EMBEDDED_PICTURES
#include "embedded_pictures.h"
#endif

namespace tarnel::platform {

namespace {

ResourceImage picture(const char* name) {
    ResourceImage image;
    image.fallbackFiles.push_back(std::string(TARNEL_BUILD_RESOURCES) + "/" + name);
    image.fallbackFiles.push_back(installedDataFolder() + "/" + name);
    return image;
}

}  // namespace

ResourceImage dialogPicture() {
    ResourceImage image = picture("dialog.png");
#ifdef TARNEL_HAVE_EMBEDDED_DIALOG_PICTURE
    image.bytes = kDialogPicturePng;
    image.size = sizeof kDialogPicturePng;
#endif
    return image;
}

ResourceImage previewPicture() {
    ResourceImage image = picture("preview.png");
#ifdef TARNEL_HAVE_EMBEDDED_PREVIEW_PICTURE
    image.bytes = kPreviewPicturePng;
    image.size = sizeof kPreviewPicturePng;
#endif
    return image;
}

}  // namespace tarnel::platform
