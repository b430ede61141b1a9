// Mesh records, their serialisation, and the two fixed meshes (sphere and sky shell).
#include "content/mesh.h"

#include <cmath>
#include <cstring>

#include "content/sky_atlas.h"

namespace content {

uint32_t MeshData::addPosition(Vec3 p) {
    positions.push_back(p);
    return uint32_t(positions.size() - 1);
}

uint32_t MeshData::addTexCoord(float s, float t) {
    texCoords.push_back({s, t});
    return uint32_t(texCoords.size() - 1);
}

void MeshData::append(const MeshData& other) {
    uint32_t vBase = uint32_t(positions.size()), tBase = uint32_t(texCoords.size());
    positions.insert(positions.end(), other.positions.begin(), other.positions.end());
    texCoords.insert(texCoords.end(), other.texCoords.begin(), other.texCoords.end());
    for (Triangle tri : other.triangles) {
        for (int c = 0; c < 3; ++c) {
            tri.vertex[c] += vBase;
            tri.texCoord[c] += tBase;
        }
        triangles.push_back(tri);
    }
}

namespace {

void putWord(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void putFloat(Bytes& out, float f) {
    uint32_t v;
    static_assert(sizeof v == sizeof f, "32-bit floats");
    std::memcpy(&v, &f, sizeof v);
    putWord(out, v);
}

}  // namespace

Bytes serializeMesh(const MeshData& m) {
    Bytes out;
    out.reserve(12 + m.positions.size() * 12 + m.triangles.size() * 60 + m.texCoords.size() * 8);
    putWord(out, uint32_t(m.positions.size()));
    putWord(out, uint32_t(m.triangles.size()));
    putWord(out, uint32_t(m.texCoords.size()));
    for (Vec3 p : m.positions) {
        putFloat(out, p.x);
        putFloat(out, p.y);
        putFloat(out, p.z);
    }
    for (const Triangle& t : m.triangles)
        for (uint32_t i : t.vertex) putWord(out, i);
    for (const Triangle& t : m.triangles)
        for (uint32_t i : t.texCoord) putWord(out, i);
    for (TexCoord c : m.texCoords) {
        putFloat(out, c.s);
        putFloat(out, c.t);
    }
    for (const Triangle& t : m.triangles)
        for (Vec3 n : t.normal) {
            putFloat(out, n.x);
            putFloat(out, n.y);
            putFloat(out, n.z);
        }
    return out;
}

MeshData buildSphere(int longitudes, int latitudes) {
    MeshData m;
    const float pi = 3.14159265f;
    auto point = [&](int lon, int lat) {
        float la = pi / 2 - pi * lat / latitudes, lo = 2 * pi * lon / longitudes;
        return Vec3{std::cos(la) * std::sin(lo), std::sin(la), std::cos(la) * std::cos(lo)};
    };
    // Positions: north pole, inner rings, south pole.
    uint32_t north = m.addPosition({0, 1, 0});
    for (int lat = 1; lat < latitudes; ++lat)
        for (int lon = 0; lon < longitudes; ++lon) m.addPosition(point(lon, lat));
    uint32_t south = m.addPosition({0, -1, 0});
    auto ring = [&](int lon, int lat) -> uint32_t {
        if (lat == 0) return north;
        if (lat == latitudes) return south;
        return 1 + uint32_t((lat - 1) * longitudes + lon % longitudes);
    };
    // Texture grid with the seam column duplicated; a pole corner takes the middle of its
    // segment so the pole triangles do not twist the texture.
    auto grid = [&](int lon, int lat) { return uint32_t(lat * (longitudes + 1) + lon); };
    for (int lat = 0; lat <= latitudes; ++lat)
        for (int lon = 0; lon <= longitudes; ++lon)
            m.addTexCoord(float(lon) / longitudes, 1 - float(lat) / latitudes);
    uint32_t poleBase = uint32_t(m.texCoords.size());
    for (int lon = 0; lon < longitudes; ++lon) m.addTexCoord((lon + 0.5f) / longitudes, 1);
    for (int lon = 0; lon < longitudes; ++lon) m.addTexCoord((lon + 0.5f) / longitudes, 0);

    auto add = [&](std::array<uint32_t, 3> v, std::array<uint32_t, 3> t) {
        Triangle tri;
        tri.vertex = v;
        tri.texCoord = t;
        for (int c = 0; c < 3; ++c) tri.normal[c] = m.positions[v[c]];
        m.triangles.push_back(tri);
    };
    for (int lat = 0; lat < latitudes; ++lat) {
        for (int lon = 0; lon < longitudes; ++lon) {
            uint32_t a = ring(lon, lat), b = ring(lon + 1, lat);
            uint32_t c = ring(lon, lat + 1), d = ring(lon + 1, lat + 1);
            uint32_t ta = grid(lon, lat), tb = grid(lon + 1, lat);
            uint32_t tc = grid(lon, lat + 1), td = grid(lon + 1, lat + 1);
            // Counter-clockwise seen from outside: down the meridian, then east.
            if (lat == 0)
                add({a, c, d}, {poleBase + uint32_t(lon), tc, td});
            else if (lat == latitudes - 1)
                add({a, c, b}, {ta, poleBase + uint32_t(longitudes + lon), tb});
            else {
                add({a, c, d}, {ta, tc, td});
                add({a, d, b}, {ta, td, tb});
            }
        }
    }
    return m;
}

MeshData buildSkyCube(int n) {
    constexpr int kCell = 1024, kMargin = 8;  // must match the sky painter
    MeshData m;
    for (int face = 0; face < kSkyFaces; ++face) {
        SkyFace f = skyFace(face);
        uint32_t vBase = uint32_t(m.positions.size()), tBase = uint32_t(m.texCoords.size());
        for (int j = 0; j <= n; ++j)
            for (int i = 0; i <= n; ++i) {
                float a = -1 + 2.0f * i / n, b = -1 + 2.0f * j / n;
                m.addPosition(f.centre + f.right * a + f.up * b);
                float s, t;
                skyTexCoord(face, a, b, kCell, kMargin, s, t);
                m.addTexCoord(s, t);
            }
        auto idx = [&](int i, int j) { return uint32_t(j * (n + 1) + i); };
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                std::array<uint32_t, 4> q = {idx(i, j), idx(i + 1, j), idx(i + 1, j + 1), idx(i, j + 1)};
                for (auto tri : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
                    Triangle t;
                    for (int c = 0; c < 3; ++c) {
                        t.vertex[c] = vBase + q[tri[c]];
                        t.texCoord[c] = tBase + q[tri[c]];
                        // The shell is seen from inside: normals point at the viewer.
                        t.normal[c] = normalize(m.positions[t.vertex[c]]) * -1.0f;
                    }
                    m.triangles.push_back(t);
                }
            }
    }
    return m;
}

}  // namespace content
