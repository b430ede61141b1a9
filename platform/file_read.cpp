// Bounded whole-file reads, the same on every system.
#include "platform/system.h"

#include <fstream>

namespace tarnel::platform {

bool readFileBounded(const std::string& path, std::size_t maxBytes, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    contents.assign(maxBytes, '\0');
    in.read(contents.data(), static_cast<std::streamsize>(maxBytes));
    contents.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

}  // namespace tarnel::platform
