// What the scene tests draw with: a latitude-longitude sphere written as a mesh file (the
// format the package carries), a one-colour texture, and a GL context in the start state.
#pragma once

#include "assets/mesh_lists.h"
#include "camera/camera_director.h"
#include "camera/camera_view.h"
#include "gfx/gl_state.h"
#include "platform/headless_platform.h"
#include "platform/offscreen_gl.h"
#include "tests/assets/mesh_fixtures.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace tarnel::testing {

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
    MeshSpec spec;
    for (int i = 0; i <= stacks; ++i) {
        for (int j = 0; j <= slices; ++j) {
            const double pi = std::acos(-1.0);  // M_PI is not standard C++
            double theta = pi * i / stacks, phi = 2.0 * pi * j / slices;
            spec.positions.push_back({{static_cast<float>(std::sin(theta) * std::cos(phi)),
                                       static_cast<float>(std::cos(theta)),
                                       static_cast<float>(-std::sin(theta) * std::sin(phi))}});
            spec.texCoords.push_back({{float(j) / slices, 1.0f - float(i) / stacks}});
        }
    }
    auto at = [slices](int i, int j) { return static_cast<std::uint32_t>(i * (slices + 1) + j); };
    // Wound counter-clockwise seen from outside; on the unit sphere a corner's normal is its position.
    auto addTriangle = [&spec](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        Vector3 p(spec.positions[a][0], spec.positions[a][1], spec.positions[a][2]);
        Vector3 q(spec.positions[b][0], spec.positions[b][1], spec.positions[b][2]);
        Vector3 r(spec.positions[c][0], spec.positions[c][1], spec.positions[c][2]);
        Vector3 n = cross(q - p, r - p);
        if (n.length() < 1e-6f) return;  // a sliver at a pole
        if (dot(n, p + q + r) < 0) std::swap(b, c);
        MeshTriangle triangle{{a, b, c}, {a, b, c}, {}};
        for (int k = 0; k < 3; ++k)
            for (int axis = 0; axis < 3; ++axis) triangle.normals[k * 3 + axis] = spec.positions[triangle.vertices[k]][axis];
        spec.triangles.push_back(triangle);
    };
    for (int i = 0; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            addTriangle(at(i, j), at(i + 1, j), at(i + 1, j + 1));
            addTriangle(at(i, j), at(i + 1, j + 1), at(i, j + 1));
        }
    }
    return meshBytes(spec);
}

// Opens every member as these mesh bytes.
inline MemberOpener meshOpener(Bytes bytes) {
    return [bytes = std::move(bytes)](MemoryFile& file, const char* name) {
        file.openBytes(name, bytes);
        return 1;
    };
}

// Compiles the unit sphere into a new display list.
inline std::uint32_t unitSphereList() {
    std::uint32_t list = 0;
    buildMeshList(list, "meshes\\sphere.dat", false, meshOpener(unitSphereMesh()));
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

// A context in the saver's start state (80 x 60 unless started at another size), with the
// camera at eye looking at the origin.
class SceneGl {
public:
    static constexpr int kWidth = 80;
    static constexpr int kHeight = 60;

    bool start(int width = kWidth, int height = kHeight) {
        gl = platform::OffscreenGl::create(width, height);
        if (!gl) return false;
        gfx::GlStartSettings settings;
        settings.width = width;
        settings.height = height;
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
        std::size_t at = (static_cast<std::size_t>(y) * gl->width() + x) * 4;
        return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
    }

    std::unique_ptr<platform::OffscreenGl> gl;
    platform::HeadlessPlatform platform{kWidth, kHeight};
    CameraDirector camera;
};

}  // namespace tarnel::testing
