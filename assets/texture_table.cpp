// The process-wide texture table and the lookups the scene makes into it.
#include "assets/texture_table.h"

#include <cstring>

namespace tarnel {

TextureTable& textureTable() {
    // Filled by the saver run while it loads, read by every scene object afterwards.
    static TextureTable table;
    return table;
}

const TextureEntry* findTexture(const TextureTable& table, const char* path) {
    for (const auto& entry : table.entries)
        if (std::strcmp(entry->path, path) == 0) return entry.get();
    return nullptr;
}

void setTexture(const char* path, bool& alphaTexture, std::uint32_t& textureId, const TextureTable& table) {
    std::size_t length = std::strlen(path);
    alphaTexture = length >= 3 && std::strcmp(path + length - 3, "tga") == 0;
    if (const TextureEntry* entry = findTexture(table, path)) textureId = entry->glTexture;
}

}  // namespace tarnel
