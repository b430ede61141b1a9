// JPEG members of the package: opened through the member opener, decoded by this build's
// decoder (libjpeg, or the system's codec on Windows), failures reported as everywhere else.
#include "assets/jpeg_reader.h"

#include "assets/findings.h"
#include "platform/message_box.h"

namespace tarnel {

bool readJpeg(const char* path, Image& image, const MemberOpener& openMember) {
    MemoryFile file;
    if (!openMember(file, path)) {
        platform::showMessageBox(std::string("ARCH:Can't load JPG file: ") + path, "Error");
        return false;
    }
    JpegResult result = decodeJpeg(file.data.data(), file.size);
    file.close();
    if (!result.ok()) {
        reportAtReadingPlace(path, "image \"" + std::string(path) + "\" does not decode: " + result.error);
        return false;
    }
    if (result.warnings > 0) reportAtReadingPlace(path, "image \"" + std::string(path) + "\" is damaged: parts of it are made up");
    image = std::move(result.image);
    return true;
}

}  // namespace tarnel
