// Cube-face layout of the sky atlas.
#include "content/sky_atlas.h"

namespace content {

SkyFace skyFace(int face) {
    switch (face) {
    case 0: return {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
    case 1: return {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}};
    case 2: return {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}};
    case 3: return {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
    case 4: return {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    default: return {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}};
    }
}

void skyTexCoord(int face, float a, float b, int cell, int margin, float& s, float& t) {
    int column = face % kSkyColumns, row = face / kSkyColumns;
    float inner = float(cell - 2 * margin);
    float px = column * cell + margin + (a + 1) * 0.5f * inner;
    float py = row * cell + margin + (1 - b) * 0.5f * inner;  // pixel rows from the top
    s = px / float(cell * kSkyColumns);
    t = 1 - py / float(cell * kSkyRows);
}

bool skyDirection(int x, int y, int cell, int margin, Vec3& direction) {
    int column = x / cell, row = y / cell;
    int face = row * kSkyColumns + column;
    if (face >= kSkyFaces) return false;
    float inner = float(cell - 2 * margin);
    float a = (x - column * cell + 0.5f - margin) / inner * 2 - 1;
    float b = 1 - (y - row * cell + 0.5f - margin) / inner * 2;
    SkyFace f = skyFace(face);
    direction = normalize(f.centre + f.right * a + f.up * b);
    return true;
}

}  // namespace content
