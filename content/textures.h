// The painters of the package's textures. Each returns finished rasters with the file name
// they have under "textures\" and how they are stored (JPEG when opaque, TGA with alpha).
#pragma once

#include <string>
#include <vector>

#include "content/raster.h"

namespace content {

struct TextureArt {
    std::string file;  // name under "textures\", as "texture.txt" lists it
    Raster image;
    bool alpha = false;  // TGA with alpha instead of JPEG
    int quality = 90;    // JPEG quality
};

using TextureSet = std::vector<TextureArt>;

void paintPlanetTextures(TextureSet& out);   // surface, lights, clouds, corona, air, moons
void paintSkyTextures(TextureSet& out);      // sky atlas, nebulae
void paintLightTextures(TextureSet& out);    // sun, glow, flare, lens ghosts, halo
void paintSpriteTextures(TextureSet& out);   // particles, beacon
void paintModelTextures(TextureSet& out);    // station hull, solar cells, asteroid
void paintScreenTextures(TextureSet& out);   // digit font, loading images

// Every texture of the package, in the order "texture.txt" lists them.
TextureSet paintAllTextures();

}  // namespace content
