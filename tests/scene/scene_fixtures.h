// What the scene tests draw with: a latitude-longitude sphere written as a mesh file (the
// format the package carries), a one-colour texture, and a GL context in the start state.
#pragma once

#include "assets/mesh_lists.h"
#include "camera/camera_director.h"
#include "camera/camera_view.h"
#include "gfx/gl_state.h"
#include "platform/headless_platform.h"
#include "platform/offscreen_gl.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace tarnel::testing {

using Bytes = std::vector<std::uint8_t>;

inline void putWord(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void putFloat(Bytes& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    putWord(out, bits);
}

// A unit sphere of stacks x slices quads, front faces outside, s running round the equator.
inline Bytes unitSphereMesh(int stacks = 12, int slices = 16) {
    struct Corner { float x, y, z, s, t; };
    std::vector<Corner> grid;
    for (int i = 0; i <= stacks; ++i) {
        for (int j = 0; j <= slices; ++j) {
            double theta = M_PI * i / stacks, phi = 2.0 * M_PI * j / slices;
            grid.push_back({static_cast<float>(std::sin(theta) * std::cos(phi)), static_cast<float>(std::cos(theta)),
                            static_cast<float>(-std::sin(theta) * std::sin(phi)), float(j) / slices,
                            1.0f - float(i) / stacks});
        }
    }
    std::vector<std::uint32_t> corners;
    auto at = [slices](int i, int j) { return static_cast<std::uint32_t>(i * (slices + 1) + j); };
    auto addTriangle = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        const Corner &p = grid[a], &q = grid[b], &r = grid[c];
        float ux = q.x - p.x, uy = q.y - p.y, uz = q.z - p.z, vx = r.x - p.x, vy = r.y - p.y, vz = r.z - p.z;
        float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        float cx = p.x + q.x + r.x, cy = p.y + q.y + r.y, cz = p.z + q.z + r.z;
        if (nx * nx + ny * ny + nz * nz < 1e-12f) return;  // a sliver at a pole
        if (nx * cx + ny * cy + nz * cz < 0) std::swap(b, c);
        corners.insert(corners.end(), {a, b, c});
    };
    for (int i = 0; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            addTriangle(at(i, j), at(i + 1, j), at(i + 1, j + 1));
            addTriangle(at(i, j), at(i + 1, j + 1), at(i, j + 1));
        }
    }
    Bytes out;
    std::uint32_t triangles = static_cast<std::uint32_t>(corners.size() / 3);
    putWord(out, static_cast<std::uint32_t>(grid.size()));
    putWord(out, triangles);
    putWord(out, static_cast<std::uint32_t>(grid.size()));
    for (const Corner& c : grid) {
        putFloat(out, c.x);
        putFloat(out, c.y);
        putFloat(out, c.z);
    }
    for (std::uint32_t index : corners) putWord(out, index);
    for (std::uint32_t index : corners) putWord(out, index);
    for (const Corner& c : grid) {
        putFloat(out, c.s);
        putFloat(out, c.t);
    }
    for (std::uint32_t index : corners) {
        putFloat(out, grid[index].x);
        putFloat(out, grid[index].y);
        putFloat(out, grid[index].z);
    }
    return out;
}

// Compiles the unit sphere into a new display list.
inline std::uint32_t unitSphereList() {
    std::uint32_t list = 0;
    Bytes bytes = unitSphereMesh();
    buildMeshList(list, "meshes\\sphere.dat", false, [&bytes](MemoryFile& file, const char* name) {
        file.openBytes(name, bytes);
        return 1;
    });
    return list;
}

// A 2 x 2 texture of one colour with full mipmaps.
inline std::uint32_t solidTexture(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const std::uint8_t texels[16] = {r, g, b, a, r, g, b, a, r, g, b, a, r, g, b, a};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    return name;
}

// A context in the saver's start state, with the camera at eye looking at the origin.
class SceneGl {
public:
    static constexpr int kWidth = 80;
    static constexpr int kHeight = 60;

    bool start() {
        gl = platform::OffscreenGl::create(kWidth, kHeight);
        if (!gl) return false;
        gfx::GlStartSettings settings;
        settings.width = kWidth;
        settings.height = kHeight;
        gfx::setupGlState(platform, settings);
        return true;
    }

    void lookFrom(Vector3 eye, Vector3 up = Vector3(0, 1, 0)) {
        camera.eye = camera.position = eye;
        camera.look = normalize(-eye);
        camera.up = up;
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        applyCameraView(camera);
    }

    // Red, green, blue, alpha of the pixel at (x, y), counted from the bottom left.
    std::array<int, 4> pixel(int x, int y) const {
        std::vector<std::uint8_t> pixels = gl->readPixels();
        std::size_t at = (static_cast<std::size_t>(y) * kWidth + x) * 4;
        return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
    }

    std::unique_ptr<platform::OffscreenGl> gl;
    platform::HeadlessPlatform platform{kWidth, kHeight};
    CameraDirector camera;
};

}  // namespace tarnel::testing
