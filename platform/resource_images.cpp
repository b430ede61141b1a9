// Where the dialog and preview pictures come from. The build renders them with the program
// itself, so the Linux program cannot carry them inside (each render would relink it and
// render again): it reads them from the folders that may hold its data, where an install puts
// them, or from the resources folder of the build tree it lies in. A missing picture shows
// as black. A build that renders them with another program may fill in the bytes instead.
#include "platform/config_dialog.h"

#include "platform/system.h"

namespace tarnel::platform {

namespace {

ResourceImage picture(const char* name) {
    ResourceImage image;
    for (const std::string& folder : dataFolderCandidates()) image.fallbackFiles.push_back(folder + "/" + name);
    const std::string programFolder = executableFolder();
    if (!programFolder.empty()) image.fallbackFiles.push_back(programFolder + "/resources/" + name);
    return image;
}

}  // namespace

ResourceImage dialogPicture() { return picture("dialog.png"); }

ResourceImage previewPicture() { return picture("preview.png"); }

}  // namespace tarnel::platform
