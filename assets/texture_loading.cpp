// Loading the texture table: the list file, then each image through its reader and the
// common upload. Images that fail leave their entry at texture 0, never an upload of
// pixels that were not decoded.
#include "assets/texture_table.h"

#include <GL/gl.h>
#include <GL/glext.h>  // enums past OpenGL 1.1 (Windows' gl.h stops at 1.1)

#include <cstdio>
#include <cstring>
#include <string>

#include "assets/findings.h"
#include "assets/jpeg_reader.h"
#include "assets/loading_tick.h"
#include "assets/texture_upload.h"
#include "assets/tga_reader.h"

namespace tarnel {

namespace {

constexpr char kTextureFolder[] = "textures\\";
constexpr char kListEnd[] = "END_TEXT";

bool hasExtension(const char* name, const char* lower, const char* upper) {
    std::size_t length = std::strlen(name);
    if (length < 3) return false;
    return std::strcmp(name + length - 3, lower) == 0 || std::strcmp(name + length - 3, upper) == 0;
}

std::uint32_t loadJpegTexture(const char* path, const MemberOpener& openMember) {
    Image image;
    if (!readJpeg(path, image, openMember)) return 0;
    GLenum format = image.components() == 1 ? GL_LUMINANCE : GL_RGB;
    return uploadTexture(image.width, image.height, format, image.pixels.data());
}

// TGA pixels arrive as grey, as blue-green-red or as red-green-blue-alpha.
GLenum formatOf(const TgaImage& image) {
    switch (image.bytesPerPixel()) {
        case 1: return GL_LUMINANCE;
        case 3: return GL_BGR;
        default: return GL_RGBA;
    }
}

}  // namespace

std::uint32_t loadTgaTexture(const char* path, const MemberOpener& openMember) {
    TgaImage image;
    if (!readTga(path, image, openMember)) return 0;
    return uploadTexture(image.width, image.height, formatOf(image), image.pixels.data());
}

bool loadTextureEntry(TextureEntry& entry, const char* fileName, const MemberOpener& openMember) {
    if (std::strlen(kTextureFolder) + std::strlen(fileName) >= TextureEntry::kPathSize) return false;
    std::snprintf(entry.path, sizeof entry.path, "%s%s", kTextureFolder, fileName);
    if (hasExtension(fileName, "jpg", "JPG"))
        entry.glTexture = loadJpegTexture(entry.path, openMember);
    else if (hasExtension(fileName, "tga", "TGA"))
        entry.glTexture = loadTgaTexture(entry.path, openMember);
    else
        reportAtReadingPlace(entry.path, "image \"" + std::string(entry.path) + "\" is neither JPEG nor TGA");
    return true;
}

void loadTextureList(TextureTable& table, const char* memberName, bool progress, const MemberOpener& openMember) {
    MemoryFile file;
    // A list that cannot be read makes no entries (its reader has said why).
    if (!openMember(file, memberName)) return;
    char line[MemoryFile::kLineSize];
    int number = 0;
    ReadingPlace place(file.name, number);
    for (;;) {
        int more = file.readLine(line, sizeof line);
        ++number;
        if (std::strncmp(line, kListEnd, std::strlen(kListEnd)) == 0) break;
        if (!more) reportFinding(file.name, number, "list ends without \"END_TEXT\"");
        char fileName[MemoryFile::kLineSize];
        auto entry = std::make_unique<TextureEntry>();
        const bool named = std::sscanf(line, "%127s", fileName) == 1;
        if (!named) reportFinding(file.name, number, "blank line: no image name");
        if (named && !loadTextureEntry(*entry, fileName, openMember))
            reportFinding(file.name, number, "image name \"" + std::string(fileName) + "\" is longer than " +
                                                 std::to_string(TextureEntry::kPathSize - 10) + " characters");
        if (named && entry->path[0] != '\0') {
            if (progress) sendLoadingTick();
            table.entries.push_back(std::move(entry));
        }
        if (!more || loadingStopped()) break;
    }
    file.close();
}

}  // namespace tarnel
