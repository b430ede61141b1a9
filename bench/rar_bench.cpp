// Data package reader speed: stored extraction with its CRC check, RAR 2.0 decoding of the
// real test archives, and the RAR 2.0 cipher (block decryption, and the key set-up that every
// encrypted member pays once). Run: build/bench/rar_bench
#include "assets/rar/crypt20.h"
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

std::vector<std::uint8_t> noise(std::size_t size) {
    std::vector<std::uint8_t> data(size);
    std::uint32_t seed = 1;
    for (auto& byte : data) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    return data;
}

// One stored member of 64 MiB (music-sized noise), plain or encrypted: the whole extraction,
// decryption and CRC check included.
void storedExtract(benchmark::State& state, const char* password) {
    WriterEntry entry;
    entry.name = "music.ogg";
    entry.data = noise(64u << 20);
    std::vector<std::uint8_t> bytes;
    writeStoredArchive({entry}, bytes, nullptr, password);
    Archive archive;
    readArchive(bytes.data(), bytes.size(), archive, nullptr);
    Extractor extractor;
    for (auto _ : state) {
        std::vector<std::uint8_t> out;
        if (!extractor.extract(bytes.data(), bytes.size(), archive, 0, password, out, nullptr))
            state.SkipWithError("extraction failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(entry.data.size()));
}
BENCHMARK_CAPTURE(storedExtract, plain, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(storedExtract, encrypted, "password")->Unit(benchmark::kMillisecond);

// The block cipher alone over 16 MiB, after one key set-up.
void crypt20Decrypt(benchmark::State& state) {
    std::vector<std::uint8_t> data = noise(16u << 20);
    for (auto _ : state) {
        Crypt20 cipher("password");
        cipher.decrypt(data.data(), data.size());
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(data.size()));
}
BENCHMARK(crypt20Decrypt)->Unit(benchmark::kMillisecond);

// The key set-up of one member, for passwords of 8 bytes up to the 127 that count.
void crypt20KeySetUp(benchmark::State& state) {
    const std::string password(static_cast<std::size_t>(state.range(0)), 'k');
    for (auto _ : state) {
        Crypt20 cipher(password);
        benchmark::DoNotOptimize(&cipher);
    }
}
BENCHMARK(crypt20KeySetUp)->Arg(8)->Arg(32)->Arg(127)->Unit(benchmark::kMicrosecond);

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
