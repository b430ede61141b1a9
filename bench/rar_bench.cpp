// Data package reader speed: stored extraction with its CRC check, and RAR 2.0 decoding of
// the real test archives. Run: build/bench/rar_bench
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"
#include "assets/rar/rar_format.h"
#include "assets/rar/rar_writer.h"
#include "assets/rar/unpack20.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace tarnel::rar;

namespace {

std::vector<std::uint8_t> readTestArchive(const std::string& name) {
    std::ifstream in(std::string(TARNEL_TEST_DATA) + "/rar/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void storedExtract(benchmark::State& state) {
    WriterEntry entry;
    entry.name = "music.ogg";
    entry.data.resize(64u << 20);
    std::uint32_t seed = 1;
    for (auto& byte : entry.data) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    std::vector<std::uint8_t> bytes;
    writeStoredArchive({entry}, bytes, nullptr);
    Archive archive;
    readArchive(bytes.data(), bytes.size(), archive, nullptr);
    Extractor extractor;
    for (auto _ : state) {
        std::vector<std::uint8_t> out;
        if (!extractor.extract(bytes.data(), bytes.size(), archive, 0, "", out, nullptr))
            state.SkipWithError("extraction failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(entry.data.size()));
}
BENCHMARK(storedExtract)->Unit(benchmark::kMillisecond);

// Decodes every compressed member of one archive per iteration; bytes are unpacked bytes.
void unpack20Archive(benchmark::State& state, const char* name) {
    const std::vector<std::uint8_t> bytes = readTestArchive(name);
    Archive archive;
    if (!readArchive(bytes.data(), bytes.size(), archive, nullptr)) {
        state.SkipWithError("test archive missing");
        return;
    }
    std::vector<const Member*> members;
    std::size_t total = 0;
    for (const Member& member : archive.members) {
        if (member.directory() || member.method == kMethodStore) continue;
        members.push_back(&member);
        total += static_cast<std::size_t>(member.unpackedSize);
    }
    std::vector<std::uint8_t> out(total);
    Unpack20 decoder;
    for (auto _ : state) {
        std::size_t at = 0;
        for (const Member* member : members) {
            const auto size = static_cast<std::size_t>(member->unpackedSize);
            if (!decoder.unpack(bytes.data() + member->dataOffset, static_cast<std::size_t>(member->packedSize),
                                out.data() + at, size, member->solid(), nullptr))
                state.SkipWithError("decoding failed");
            at += size;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(total));
}
BENCHMARK_CAPTURE(unpack20Archive, lz_exe_jpeg_text, "sharpcompress_Rar2.rar");
BENCHMARK_CAPTURE(unpack20Archive, lz_wav, "junrar_BoatModernEnglish-regular-unpack20.rar");
BENCHMARK_CAPTURE(unpack20Archive, audio_wav, "junrar_BoatModernEnglish-audio-text-unpack20.rar");

}  // namespace
