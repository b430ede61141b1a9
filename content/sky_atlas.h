// The sky texture is a 4 x 2 atlas of cube faces (two cells unused). The sky mesh and the
// star painter share this mapping, so a direction lands on the same texel from both sides.
// Each cell keeps a margin painted by continuing the face's projection, so filtering at a
// cell border reads sky, not the neighbouring face.
#pragma once

#include "content/noise.h"

namespace content {

constexpr int kSkyFaces = 6;
constexpr int kSkyColumns = 4;
constexpr int kSkyRows = 2;

struct SkyFace {
    Vec3 centre, right, up;  // right x up points outwards
};

SkyFace skyFace(int face);

// Texture coordinates of face point (a, b), both in -1..1, for an atlas of square cells of
// cellPixels with a margin of marginPixels.
void skyTexCoord(int face, float a, float b, int cellPixels, int marginPixels, float& s, float& t);

// Direction seen at the centre of atlas pixel (x, y), rows from the top; false for the
// pixels of the unused cells.
bool skyDirection(int x, int y, int cellPixels, int marginPixels, Vec3& direction);

}  // namespace content
