// What the script scenes draw with, made here: small textures with shapes that show how they
// are mapped (a grid with coloured quadrants, a soft glow, a ring, a streak, a plain haze)
// and a box mesh. Only the default scene's art comes from the package.
#pragma once

#include "tests/assets/mesh_fixtures.h"

#include <functional>
#include <map>
#include <string>

namespace tarnel::golden {

// Archive members by name: the textures under "textures\" ("textures\grid.jpg", glow,
// ring, streak and haze) and "meshes\box.dat".
std::map<std::string, testing::Bytes> sceneMembers();

}  // namespace tarnel::golden
