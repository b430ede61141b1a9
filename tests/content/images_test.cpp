// Texture members decode at power-of-two sizes (JPEG through libjpeg, TGA as 32-bit true
// colour), and the maps that wrap around a sphere or a cube have no seam.
#include <gtest/gtest.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "content/sky_atlas.h"
#include "tests/content/package_fixture.h"

using namespace content_test;

namespace {

struct Decoded {
    bool ok = false;
    int width = 0, height = 0, components = 0;
};

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void onJpegError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }

Decoded decodeJpeg(const content::Bytes& bytes) {
    Decoded out;
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = onJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return Decoded{};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    std::vector<JSAMPLE> row(size_t(cinfo.output_width) * cinfo.output_components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
    }
    out = {true, int(cinfo.output_width), int(cinfo.output_height), cinfo.output_components};
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

bool powerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

const content::TextureArt& art(const std::string& file) {
    for (const content::TextureArt& a : generatedPackage().textures)
        if (a.file == file) return a;
    throw std::runtime_error("no texture " + file);
}

}  // namespace

TEST(DefaultTextures, JpegMembersDecodeAsColourAtPowerOfTwoSizes) {
    int count = 0;
    for (const content::Member& m : generatedPackage().members) {
        if (m.name.size() < 4 || m.name.substr(m.name.size() - 4) != ".jpg") continue;
        Decoded d = decodeJpeg(m.bytes);
        ASSERT_TRUE(d.ok) << m.name;
        EXPECT_EQ(d.components, 3) << m.name;  // the engine uploads three components
        EXPECT_TRUE(powerOfTwo(d.width) && powerOfTwo(d.height)) << m.name << " " << d.width << "x" << d.height;
        ++count;
    }
    EXPECT_GT(count, 20);
}

TEST(DefaultTextures, TgaMembersAreUncompressed32BitWithTheirDeclaredSize) {
    int count = 0;
    for (const content::Member& m : generatedPackage().members) {
        if (m.name.size() < 4 || m.name.substr(m.name.size() - 4) != ".tga") continue;
        const content::Bytes& b = m.bytes;
        ASSERT_GE(b.size(), 18u) << m.name;
        int width = b[12] | b[13] << 8, height = b[14] | b[15] << 8;
        EXPECT_EQ(b[1], 0) << "no colour map";
        EXPECT_EQ(b[2], 2) << "true colour";
        EXPECT_EQ(b[16], 32) << "four bytes a pixel, so the upload as RGBA is exact";
        EXPECT_TRUE(powerOfTwo(width) && powerOfTwo(height));
        EXPECT_EQ(b.size(), 18u + b[0] + size_t(width) * height * 4) << m.name;
        ++count;
    }
    EXPECT_EQ(count, 1);
}

TEST(DefaultTextures, CloudAlphaCoversPartOfThePlanet) {
    const content::Raster& c = art("clouds.tga").image;
    double sum = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) sum += c.at(x, y).a;
    double cover = sum / (double(c.width()) * c.height());
    EXPECT_GT(cover, 0.2);
    EXPECT_LT(cover, 0.7);
}

// Column 0 and the last column meet on the sphere: their difference must look like the
// difference between any two neighbouring columns.
TEST(DefaultTextures, SphereMapsJoinAtTheDatelineWithoutASeam) {
    for (const char* file : {"planet.jpg", "clouds.tga", "moon.jpg", "icemoon.jpg", "rock.jpg"}) {
        const content::Raster& r = art(file).image;
        auto columnDiff = [&](int a, int b) {
            double d = 0;
            for (int y = 0; y < r.height(); ++y) {
                content::Rgba p = r.at(a, y), q = r.at(b, y);
                d += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b) + std::fabs(p.a - q.a);
            }
            return d / r.height();
        };
        double seam = columnDiff(r.width() - 1, 0);
        double typical = (columnDiff(10, 11) + columnDiff(r.width() / 2, r.width() / 2 + 1) + columnDiff(100, 101)) / 3;
        EXPECT_LT(seam, typical * 2.5 + 1e-3) << file;
    }
}

// A direction on a cube edge is painted in two cells of the sky atlas: both must agree.
TEST(DefaultTextures, SkyAtlasFacesAgreeAlongSharedEdges) {
    const content::Raster& sky = art("sky.jpg").image;
    const int cell = sky.width() / content::kSkyColumns;
    const int margin = 8;
    double diff = 0, level = 0;
    int samples = 0;
    for (int face = 0; face < content::kSkyFaces; ++face) {
        content::SkyFace f = content::skyFace(face);
        for (int i = 1; i < 40; ++i) {
            float b = -1 + 2.0f * i / 40;
            content::Vec3 d = content::normalize(f.centre + f.right + f.up * b);  // right edge
            for (int other = 0; other < content::kSkyFaces; ++other) {
                content::SkyFace g = content::skyFace(other);
                if (content::dot(g.centre, f.right) < 0.9f) continue;
                float z = content::dot(d, g.centre);
                float s0, t0, s1, t1;
                content::skyTexCoord(face, 1, b, cell, margin, s0, t0);
                content::skyTexCoord(other, content::dot(d, g.right) / z, content::dot(d, g.up) / z, cell, margin, s1, t1);
                content::Rgba p = sky.sample(s0 * sky.width(), (1 - t0) * sky.height());
                content::Rgba q = sky.sample(s1 * sky.width(), (1 - t1) * sky.height());
                diff += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
                level += p.r + p.g + p.b;
                ++samples;
            }
        }
    }
    ASSERT_GT(samples, 6 * 30);
    // Single-texel faint stars differ between the two cells; the band and the stars do not.
    EXPECT_LT(diff / samples, 0.02);
    EXPECT_GT(level / samples, 0.0);
}

// The overlay reads glyph i from cell i of the 4 x 4 grid: 13 cells carry ink, 3 stay black.
TEST(DefaultTextures, DigitFontHasInkInThirteenCellsOnly) {
    const content::Raster& font = art("c.jpg").image;
    int cell = font.width() / 4;
    for (int i = 0; i < 16; ++i) {
        double ink = 0;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) {
                const content::Rgba& p = font.at((i % 4) * cell + x, (i / 4) * cell + y);
                ink += p.r + p.g + p.b;
            }
        if (i < 13)
            EXPECT_GT(ink, cell * cell * 0.05) << "cell " << i;
        else
            EXPECT_EQ(ink, 0.0) << "cell " << i;
    }
}

TEST(DefaultTextures, AdditiveSpritesFadeToBlackAtTheirBorder) {
    for (const char* file : {"glow.jpg", "flare.jpg", "ghost.jpg", "ghostdisc.jpg", "streak.jpg", "halo.jpg",
                             "puff.jpg", "spark.jpg", "bolt.jpg", "beacon.jpg", "nebula1.jpg", "nebula2.jpg"}) {
        const content::Raster& r = art(file).image;
        float edge = 0;
        for (int i = 0; i < r.width(); ++i)
            for (const content::Rgba& p : {r.at(i, 0), r.at(i, r.height() - 1), r.at(0, i), r.at(r.width() - 1, i)})
                edge = std::max({edge, p.r, p.g, p.b});
        EXPECT_LT(edge, 2.0f / 255) << file;
    }
}
