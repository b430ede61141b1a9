// tarnel-still: turns a frame the engine rendered into one of the program's pictures. The
// frame is cropped to the picture's shape around a chosen centre, reduced by averaging
// (no aliased stars), and, for the preview and dialog pictures, signed with the title.
//   tarnel-still FRAME.png OUT WIDTHxHEIGHT [--title] [--centre X Y] [--zoom Z]
// OUT's ending picks the file: .png, .bmp (a Windows bitmap resource) or .ico (a Windows
// icon holding the picture and, below its size, the 48, 32 and 16 pixel squares).
// X and Y place the crop centre as fractions of the frame (0.5 0.5 is its middle); Z above 1
// crops closer (the icon keeps just the planet).
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "content/encode.h"
#include "content/strokes.h"

namespace {

using content::Raster;

bool readPng(const std::string& path, Raster& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return false;
    out = Raster(int(image.width), int(image.height));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const png_byte* p = &bytes[(size_t(y) * image.width + x) * 3];
            out.at(x, y) = content::rgb(p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f);
        }
    return true;
}

// The largest crop of the picture's shape that fits the frame, centred as near (cx, cy) as
// the frame allows, averaged down: each output pixel is the mean of the frame area it covers.
Raster cropAndReduce(const Raster& frame, int width, int height, float cx, float cy, float zoom) {
    float scale = std::min(frame.width() / float(width), frame.height() / float(height)) / zoom;
    float cropW = width * scale, cropH = height * scale;
    float left = std::clamp(cx * frame.width() - cropW / 2, 0.0f, frame.width() - cropW);
    float top = std::clamp(cy * frame.height() - cropH / 2, 0.0f, frame.height() - cropH);
    Raster out(width, height);
    const int taps = std::max(2, int(std::ceil(scale)) * 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            content::Rgba sum{0, 0, 0, 0};
            for (int j = 0; j < taps; ++j)
                for (int i = 0; i < taps; ++i) {
                    int sx = int(left + (x + (i + 0.5f) / taps) * scale);
                    int sy = int(top + (y + (j + 0.5f) / taps) * scale);
                    sum = sum + frame.at(std::min(sx, frame.width() - 1), std::min(sy, frame.height() - 1));
                }
            out.at(x, y) = sum * (1.0f / float(taps * taps));
            out.at(x, y).a = 1;
        }
    return out;
}

// The title along the foot of the picture, over a band darkened towards the bottom edge so
// it reads on the planet as well as on the sky.
void signTitle(Raster& img) {
    const std::string title = "TARNEL";
    float glyph = std::max(7.0f, img.height() * 0.11f);
    float band = glyph * 2.6f;
    for (int y = 0; y < img.height(); ++y) {
        float shade = 1 - 0.75f * content::smoothstep(img.height() - band, float(img.height()), float(y));
        for (int x = 0; x < img.width(); ++x) {
            content::Rgba& p = img.at(x, y);
            p = content::Rgba{p.r * shade, p.g * shade, p.b * shade, 1};
        }
    }
    float x = (img.width() - content::textWidth(title, glyph, 7)) / 2;
    float baseline = img.height() - glyph * 0.7f;
    content::StrokeStyle style;
    style.thickness = std::max(0.6f, glyph * 0.07f);
    style.glowRadius = glyph * 0.3f;
    style.core = content::Rgba{0.95f, 0.97f, 1, 1};
    style.glow = content::Rgba{0.25f, 0.5f, 1, 1};
    content::drawStrokes(img, content::layoutText(title, x, baseline, glyph, 7), style);
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

struct Crop {
    bool title = false;
    float cx = 0.5f, cy = 0.5f, zoom = 1.0f;
};

Raster picture(const Raster& frame, int width, int height, const Crop& crop) {
    Raster out = cropAndReduce(frame, width, height, crop.cx, crop.cy, crop.zoom);
    if (crop.title) signTitle(out);
    return out;
}

content::Bytes encode(const std::string& path, const Raster& frame, int width, int height, const Crop& crop) {
    if (endsWith(path, ".bmp")) return content::encodeBmp(picture(frame, width, height, crop));
    if (endsWith(path, ".ico")) {
        // Each size is cropped from the frame itself, so the small ones stay sharp.
        std::vector<Raster> images{picture(frame, width, height, crop)};
        for (int side : {48, 32, 16})
            if (side < width && side < height) images.push_back(picture(frame, side, side, crop));
        return content::encodeIco(images);
    }
    return content::encodePng(picture(frame, width, height, crop));
}

int usage() {
    std::fprintf(stderr, "usage: tarnel-still FRAME.png OUT[.png|.bmp|.ico] WIDTHxHEIGHT [--title] [--centre X Y] [--zoom Z]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return usage();
    int width = 0, height = 0;
    if (std::sscanf(argv[3], "%dx%d", &width, &height) != 2 || width < 1 || height < 1 ||
        width > 4096 || height > 4096)
        return usage();
    Crop crop;
    for (int i = 4; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--title") {
            crop.title = true;
        } else if (arg == "--centre" && i + 2 < argc) {
            crop.cx = content::clamp01(std::strtof(argv[i + 1], nullptr));
            crop.cy = content::clamp01(std::strtof(argv[i + 2], nullptr));
            i += 2;
        } else if (arg == "--zoom" && i + 1 < argc) {
            crop.zoom = std::clamp(std::strtof(argv[++i], nullptr), 1.0f, 16.0f);
        } else {
            return usage();
        }
    }
    Raster frame;
    if (!readPng(argv[1], frame) || frame.width() < 1 || frame.height() < 1) {
        std::fprintf(stderr, "tarnel-still: cannot read %s\n", argv[1]);
        return 1;
    }
    if (endsWith(argv[2], ".ico") && (width > 256 || height > 256)) return usage();
    content::Bytes bytes = encode(argv[2], frame, width, height, crop);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (bytes.empty() || !out.flush()) {
        std::fprintf(stderr, "tarnel-still: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
