// The texture table: every image named by "texture.txt", decoded and uploaded once at the
// start of a saver run, looked up by archive path ("textures\c.jpg") by the scene objects
// and the overlay. Loading needs a current OpenGL context.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "assets/member_opener.h"

namespace tarnel {

class TextureEntry {
public:
    static constexpr std::size_t kPathSize = 32;  // "textures\" and a name of up to 22 characters

    virtual ~TextureEntry() = default;

    std::uint32_t glTexture = 0;  // OpenGL texture name; 0 when the image could not be loaded
    char path[kPathSize] = {};    // archive path, NUL-terminated
};

// Entries in the order of the list; they live until the program ends and are never removed,
// so pointers to them stay valid.
class TextureTable {
public:
    std::vector<std::unique_ptr<TextureEntry>> entries;
};

// The one table of the program, filled at the start of a saver run.
TextureTable& textureTable();

// Reads the list memberName ("texture.txt"): one file name, the first word of each line,
// until a line that begins with "END_TEXT". Appends an entry a name; with progress set,
// sends a loading tick after each. Blank lines and names too long for a path are skipped.
void loadTextureList(TextureTable& table, const char* memberName, bool progress,
                     const MemberOpener& openMember = openPackageMember);

// Fills entry for "textures\" + fileName: a JPEG (extension "jpg" or "JPG") or a TGA ("tga"
// or "TGA") is decoded and uploaded; anything else, or an image that cannot be read, leaves
// glTexture 0. Returns false when the name does not fit into path (the entry is untouched).
bool loadTextureEntry(TextureEntry& entry, const char* fileName,
                      const MemberOpener& openMember = openPackageMember);

// Reads the TGA member at path and uploads it. Returns the texture name, 0 on failure.
std::uint32_t loadTgaTexture(const char* path, const MemberOpener& openMember = openPackageMember);

// The first entry whose path equals path exactly (letter case significant), or null.
const TextureEntry* findTexture(const TextureTable& table, const char* path);

// What a scene object's "texture" line does: alphaTexture is set when path ends in "tga"
// (small letters only), cleared otherwise; textureId takes the entry's texture when the
// table has path and keeps its value when it has not.
void setTexture(const char* path, bool& alphaTexture, std::uint32_t& textureId,
                const TextureTable& table = textureTable());

}  // namespace tarnel
