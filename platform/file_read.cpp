// Bounded whole-file reads, the same on every system.
#include "platform/system.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace tarnel::platform {

// Read in pieces, so a small file costs a small buffer: the bound only limits what is kept
// (clearing a buffer of the whole bound took tens of milliseconds at every start).
bool readFileBounded(const std::string& path, std::size_t maxBytes, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    contents.clear();
    std::array<char, 64 * 1024> piece;
    while (contents.size() < maxBytes && in) {
        std::size_t want = std::min(piece.size(), maxBytes - contents.size());
        in.read(piece.data(), static_cast<std::streamsize>(want));
        contents.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    }
    return true;
}

}  // namespace tarnel::platform
