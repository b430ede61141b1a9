// Assembly of the package and writing it to disk.
#include "content/package.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "content/mesh.h"
#include "content/music.h"

namespace content {

namespace fs = std::filesystem;

namespace {

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

Package buildPackage(const std::string& scriptsDir) {
    Package pkg;
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(scriptsDir))
        if (entry.is_regular_file() && entry.path().extension() == ".txt") scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    for (const fs::path& p : scripts) pkg.members.push_back({p.filename().string(), readFile(p)});

    pkg.textures = paintAllTextures();
    for (const TextureArt& art : pkg.textures)
        pkg.members.push_back({"textures\\" + art.file,
                               art.alpha ? encodeTga(art.image) : encodeJpeg(art.image, art.quality)});

    pkg.members.push_back({"meshes\\sphere.dat", serializeMesh(buildSphere(64, 32))});
    pkg.members.push_back({"meshes\\env.dat", serializeMesh(buildSkyCube(4))});
    pkg.members.push_back({"meshes\\station.dat", serializeMesh(buildStation())});
    pkg.members.push_back({"meshes\\panels.dat", serializeMesh(buildSolarPanels())});
    pkg.members.push_back({"meshes\\asteroid.dat", serializeMesh(buildAsteroid(1009))});

    pkg.members.push_back({"music.ogg", encodeVorbis(synthesizeMusic(96.0), 0.3f)});
    return pkg;
}

void writePackage(const Package& package, const std::string& dir) {
    for (const Member& m : package.members) {
        std::string rel = m.name;
        std::replace(rel.begin(), rel.end(), '\\', '/');
        writeFile(fs::path(dir) / rel, m.bytes);
    }
}

namespace {

// Box-filtered reduction by an integer factor, over a checkerboard where there is alpha.
Raster thumbnail(const TextureArt& art, int factor) {
    const Raster& src = art.image;
    Raster out(src.width() / factor, src.height() / factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            Rgba sum{0, 0, 0, 0};
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) {
                    Rgba p = src.at(x * factor + i, y * factor + j);
                    if (art.alpha) {
                        float check = ((x / 8 + y / 8) % 2) ? 0.35f : 0.2f;
                        p = Rgba{lerp(check, p.r, clamp01(p.a)), lerp(check, p.g, clamp01(p.a)),
                                 lerp(check, p.b, clamp01(p.a)), 1};
                    }
                    sum = sum + p;
                }
            out.at(x, y) = sum * (1.0f / float(factor * factor));
        }
    return out;
}

}  // namespace

void writePreviews(const TextureSet& textures, const std::string& dir) {
    const int tile = 256, columns = 6;
    int rows = int(textures.size() + columns - 1) / columns;
    Raster sheet(columns * (tile + 8) + 8, rows * (tile + 8) + 8, rgb(0.12f, 0.12f, 0.14f));
    for (size_t n = 0; n < textures.size(); ++n) {
        const TextureArt& art = textures[n];
        int factor = std::max(1, std::max(art.image.width(), art.image.height()) / tile);
        Raster small = thumbnail(art, factor);
        int ox = 8 + int(n % columns) * (tile + 8), oy = 8 + int(n / columns) * (tile + 8);
        for (int y = 0; y < std::min(tile, small.height()); ++y)
            for (int x = 0; x < std::min(tile, small.width()); ++x) sheet.at(ox + x, oy + y) = small.at(x, y);
        int big = std::max(1, art.image.width() / 1024);
        std::string stem = art.file.substr(0, art.file.find('.'));
        writeFile(fs::path(dir) / (stem + ".png"), encodePng(thumbnail(art, big)));
        if (big > 1) {  // and a full-resolution crop, to judge the fine detail
            Raster crop(1024, std::min(512, art.image.height()));
            for (int y = 0; y < crop.height(); ++y)
                for (int x = 0; x < crop.width(); ++x) crop.at(x, y) = art.image.at(x, y + art.image.height() / 8);
            writeFile(fs::path(dir) / (stem + "_detail.png"), encodePng(crop));
        }
    }
    writeFile(fs::path(dir) / "sheet.png", encodePng(sheet));
}

}  // namespace content
