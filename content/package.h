// The default data package as a list of members (archive path and bytes), built from the
// painters, the mesh builders, the synthesiser and the committed scripts.
#pragma once

#include <string>
#include <vector>

#include "content/encode.h"
#include "content/textures.h"

namespace content {

struct Member {
    std::string name;  // archive path, "\" between folders, e.g. "textures\c.jpg"
    Bytes bytes;
};

struct Package {
    std::vector<Member> members;
    TextureSet textures;  // the rasters behind the texture members, for previews
};

// Reads every "*.txt" of scriptsDir as a member of the same name. Throws when the folder
// cannot be read.
Package buildPackage(const std::string& scriptsDir);

// Writes each member under dir, turning "\" into folders.
void writePackage(const Package& package, const std::string& dir);

// A contact sheet of every texture (sheet.png) and one PNG per texture, at most 1024 wide.
void writePreviews(const TextureSet& textures, const std::string& dir);

}  // namespace content
