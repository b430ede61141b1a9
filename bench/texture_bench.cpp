// Texture loading figures: our JPEG decode (memory source, error manager, bottom-up rows)
// against a bare libjpeg decode of the same file, and the mipmap build per megapixel on
// the headless context.
// Run: build/bench/texture_bench   (compare the CPU times of JpegDecode/ours and
// JpegDecode/bare; ms_per_megapixel of Mipmaps is CPU milliseconds per megapixel)
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "assets/jpeg_reader.h"
#include "assets/texture_upload.h"
#include "platform/offscreen_gl.h"
#include "tests/assets/asset_fixtures.h"

namespace {

using tarnel::testing::Bytes;

constexpr int kWidth = 2048;
constexpr int kHeight = 1024;

// A planet-like picture: smooth bands with some fine detail, top row first.
Bytes picture() {
    Bytes rgb(std::size_t(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* p = rgb.data() + (std::size_t(y) * kWidth + x) * 3;
            double band = std::sin(y * 0.02 + std::sin(x * 0.005) * 3.0);
            int detail = (x * 7 + y * 13) % 23;
            p[0] = static_cast<std::uint8_t>(120 + band * 80 + detail);
            p[1] = static_cast<std::uint8_t>(90 + band * 50 + detail);
            p[2] = static_cast<std::uint8_t>(60 + band * 30);
        }
    return rgb;
}

Bytes jpegFile() { return tarnel::testing::encodeJpeg(kWidth, kHeight, 3, picture(), 90); }

void ourJpegDecode(benchmark::State& state) {
    const Bytes file = jpegFile();
    for (auto _ : state) {
        tarnel::JpegResult result = tarnel::decodeJpeg(file.data(), file.size());
        if (!result.ok()) state.SkipWithError(result.error.c_str());
        benchmark::DoNotOptimize(result.image.pixels.data());
    }
    state.counters["megapixels"] =
        benchmark::Counter(kWidth * kHeight / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// libjpeg's own memory source and default error handling, rows top-down into one buffer.
void bareJpegDecode(benchmark::State& state) {
    const Bytes file = jpegFile();
    for (auto _ : state) {
        jpeg_decompress_struct decoder{};
        jpeg_error_mgr errors{};
        decoder.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&decoder);
        jpeg_mem_src(&decoder, file.data(), file.size());
        jpeg_read_header(&decoder, TRUE);
        jpeg_start_decompress(&decoder);
        std::size_t rowBytes = std::size_t(decoder.output_width) * decoder.output_components;
        std::vector<std::uint8_t> pixels(rowBytes * decoder.output_height);
        while (decoder.output_scanline < decoder.output_height) {
            JSAMPROW row = pixels.data() + decoder.output_scanline * rowBytes;
            jpeg_read_scanlines(&decoder, &row, 1);
        }
        jpeg_finish_decompress(&decoder);
        jpeg_destroy_decompress(&decoder);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["megapixels"] =
        benchmark::Counter(kWidth * kHeight / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// The whole mipmap chain of a width x width RGB picture; "ms_per_megapixel" is the figure.
void buildMipmaps(benchmark::State& state) {
    int side = static_cast<int>(state.range(0));
    std::string error;
    auto gl = tarnel::platform::OffscreenGl::create(16, 16, &error);
    if (!gl) {
        state.SkipWithError(error.c_str());
        return;
    }
    Bytes pixels(std::size_t(side) * side * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 31);
    for (auto _ : state) {
        GLuint texture = tarnel::uploadTexture(side, side, GL_RGB, pixels.data());
        glFinish();
        state.PauseTiming();
        glDeleteTextures(1, &texture);
        state.ResumeTiming();
    }
    double megapixels = double(side) * side / 1e6;
    state.counters["ms_per_megapixel"] = benchmark::Counter(
        megapixels * 1e-3, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(ourJpegDecode)->Name("JpegDecode/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(bareJpegDecode)->Name("JpegDecode/bare")->Unit(benchmark::kMillisecond);
// Mesa may build mipmaps on its own threads: count the CPU time of the whole process.
BENCHMARK(buildMipmaps)
    ->Name("Mipmaps/side")
    ->Arg(512)
    ->Arg(1024)
    ->Arg(2048)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
