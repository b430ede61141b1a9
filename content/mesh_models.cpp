// Models for the scene's "geometry" lines: a ring station, its solar wings (drawn blended),
// and an asteroid. Built from surfaces of revolution and boxes in model units (about 1);
// the scripts scale them.
#include <cmath>

#include "content/mesh.h"

namespace content {

namespace {

const float kPi = 3.14159265f;

struct Frame {
    Vec3 origin, axis, p1, p2;  // axis = profile x, p1/p2 span the radius
};

struct ProfilePoint {
    float x, r;
};

// Keeps a triangle counter-clockwise around the normal its corners carry.
void pushOriented(MeshData& m, Triangle t) {
    Vec3 a = m.positions[t.vertex[0]], b = m.positions[t.vertex[1]], c = m.positions[t.vertex[2]];
    Vec3 face = cross(b - a, c - a);
    if (dot(face, face) < 1e-12f) return;  // the tip of a cone: nothing to draw
    if (dot(face, t.normal[0] + t.normal[1] + t.normal[2]) < 0) {
        std::swap(t.vertex[1], t.vertex[2]);
        std::swap(t.texCoord[1], t.texCoord[2]);
        std::swap(t.normal[1], t.normal[2]);
    }
    m.triangles.push_back(t);
}

// Surface of revolution of a profile about the frame's axis. Normals are smooth around the
// axis and along the profile, except across creases sharper than about 50 degrees.
void addRevolved(MeshData& m, const Frame& f, const std::vector<ProfilePoint>& profile,
                 int segments, float sRepeat) {
    size_t n = profile.size();
    std::vector<Vec3> segNormal(n - 1);  // (along axis, radial) of each profile segment
    for (size_t k = 0; k + 1 < n; ++k) {
        float dx = profile[k + 1].x - profile[k].x, dr = profile[k + 1].r - profile[k].r;
        segNormal[k] = normalize(Vec3{-dr, dx, 0});
    }
    auto endNormal = [&](size_t seg, bool atStart) {
        size_t other = atStart ? seg - 1 : seg + 1;
        bool hasOther = atStart ? seg > 0 : seg + 1 < n - 1;
        if (hasOther && dot(segNormal[seg], segNormal[other]) > 0.64f)
            return normalize(segNormal[seg] + segNormal[other]);
        return segNormal[seg];
    };
    for (size_t k = 0; k + 1 < n; ++k) {
        Vec3 nA = endNormal(k, true), nB = endNormal(k, false);
        for (int j = 0; j < segments; ++j) {
            uint32_t v[4], t[4];
            Vec3 nr[4];
            for (int c = 0; c < 4; ++c) {
                size_t pk = k + ((c == 1 || c == 2) ? 1 : 0);
                int pj = j + (c >= 2 ? 1 : 0);
                float th = 2 * kPi * pj / segments;
                Vec3 radial = f.p1 * std::cos(th) + f.p2 * std::sin(th);
                v[c] = m.addPosition(f.origin + f.axis * profile[pk].x + radial * profile[pk].r);
                t[c] = m.addTexCoord(sRepeat * pj / segments, float(pk) / float(n - 1));
                Vec3 pn = (pk == k) ? nA : nB;
                nr[c] = normalize(f.axis * pn.x + radial * pn.y);
            }
            pushOriented(m, {{v[0], v[1], v[2]}, {t[0], t[1], t[2]}, {nr[0], nr[1], nr[2]}});
            pushOriented(m, {{v[0], v[2], v[3]}, {t[0], t[2], t[3]}, {nr[0], nr[2], nr[3]}});
        }
    }
}

void addBox(MeshData& m, Vec3 centre, Vec3 ax, Vec3 ay, Vec3 az, Vec3 half) {
    Vec3 axes[3] = {ax, ay, az};
    float h[3] = {half.x, half.y, half.z};
    for (int d = 0; d < 3; ++d)
        for (int sign = -1; sign <= 1; sign += 2) {
            Vec3 n = axes[d] * float(sign);
            Vec3 u = axes[(d + 1) % 3] * h[(d + 1) % 3], w = axes[(d + 2) % 3] * h[(d + 2) % 3];
            Vec3 c = centre + n * h[d];
            uint32_t v[4] = {m.addPosition(c - u - w), m.addPosition(c + u - w),
                             m.addPosition(c + u + w), m.addPosition(c - u + w)};
            uint32_t t[4] = {m.addTexCoord(0, 0), m.addTexCoord(1, 0), m.addTexCoord(1, 1),
                             m.addTexCoord(0, 1)};
            pushOriented(m, {{v[0], v[1], v[2]}, {t[0], t[1], t[2]}, {n, n, n}});
            pushOriented(m, {{v[0], v[2], v[3]}, {t[0], t[2], t[3]}, {n, n, n}});
        }
}

const Frame kAlongX{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

}  // namespace

MeshData buildStation() {
    MeshData m;
    // Spine: docking cones at both ends, a wider habitat drum in the middle.
    addRevolved(m, kAlongX,
                {{-1.3f, 0}, {-1.25f, 0.07f}, {-1.12f, 0.1f}, {-1.06f, 0.19f}, {-0.62f, 0.2f},
                 {-0.56f, 0.29f}, {-0.3f, 0.31f}, {0.3f, 0.31f}, {0.56f, 0.29f}, {0.62f, 0.2f},
                 {1.06f, 0.19f}, {1.12f, 0.1f}, {1.34f, 0.1f}, {1.4f, 0}},
                32, 4);
    // Habitat ring: a tube swept about the spine.
    std::vector<ProfilePoint> tube;
    for (int i = 0; i <= 12; ++i) {
        float a = 2 * kPi * i / 12;
        tube.push_back({0.11f * std::cos(a), 0.92f + 0.11f * std::sin(a)});
    }
    addRevolved(m, kAlongX, tube, 48, 12);
    // Four spokes from the drum to the ring.
    for (int s = 0; s < 4; ++s) {
        float a = kPi / 4 + s * kPi / 2;
        Vec3 dir{0, std::cos(a), std::sin(a)};
        Vec3 side = cross(dir, {1, 0, 0});
        addRevolved(m, {{0, 0, 0}, dir, {1, 0, 0}, side},
                    {{0.28f, 0}, {0.28f, 0.035f}, {0.84f, 0.035f}, {0.84f, 0}}, 8, 1);
    }
    // Masts that carry the solar wings.
    for (int end = -1; end <= 1; end += 2) {
        Vec3 along = end > 0 ? Vec3{0, 1, 0} : Vec3{0, 0, 1};
        addBox(m, {0.85f * end, 0, 0}, {1, 0, 0}, along, cross({1, 0, 0}, along),
               {0.025f, 0.3f, 0.025f});
    }
    return m;
}

MeshData buildSolarPanels() {
    MeshData m;
    for (int end = -1; end <= 1; end += 2) {
        Vec3 along = end > 0 ? Vec3{0, 1, 0} : Vec3{0, 0, 1};
        Vec3 thin = cross({1, 0, 0}, along);
        for (int side = -1; side <= 1; side += 2)
            addBox(m, Vec3{0.85f * end, 0, 0} + along * (1.05f * side), {1, 0, 0}, along, thin,
                   {0.16f, 0.72f, 0.006f});
    }
    return m;
}

MeshData buildAsteroid(uint32_t seed) {
    MeshData m = buildSphere(40, 20);
    Random rnd(seed);
    std::vector<Vec3> craters;
    for (int i = 0; i < 14; ++i) craters.push_back(rnd.unitVector());
    for (Vec3& p : m.positions) {
        float r = 1 + 0.22f * fbm(p * 1.3f, seed, 5) + 0.08f * ridged(p * 2.5f, seed + 7, 3);
        for (size_t i = 0; i < craters.size(); ++i) {
            float size = 0.18f + 0.25f * float(hash32(seed + uint32_t(i)) % 100) / 100.0f;
            float d = std::acos(std::max(-1.0f, std::min(1.0f, dot(p, craters[i])))) / size;
            if (d < 1.3f) r -= 0.07f * size * (d < 1 ? (1 - d * d) * 1.6f - 0.3f : -0.3f * (1.3f - d) / 0.3f);
        }
        p = Vec3{p.x * r * 1.35f, p.y * r * 0.8f, p.z * r * 0.95f};
    }
    // Smooth corner normals from the displaced surface.
    std::vector<Vec3> vn(m.positions.size());
    for (const Triangle& t : m.triangles) {
        Vec3 a = m.positions[t.vertex[0]], b = m.positions[t.vertex[1]], c = m.positions[t.vertex[2]];
        Vec3 fn = cross(b - a, c - a);
        for (uint32_t v : t.vertex) vn[v] = vn[v] + fn;
    }
    for (Triangle& t : m.triangles)
        for (int c = 0; c < 3; ++c) t.normal[c] = normalize(vn[t.vertex[c]]);
    return m;
}

}  // namespace content
