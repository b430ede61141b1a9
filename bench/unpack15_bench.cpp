// Decoding speed of the 1.5 decompressor on the audio member of the real DOS-made archive,
// reported as output bytes per second.
#include "assets/rar/unpack15.h"
#include "assets/rar/rar_archive.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void decodeMember(benchmark::State& state, const char* archiveName, const char* name) {
    std::ifstream in(std::string(TARNEL_TEST_DATA) + "/rar/" + archiveName, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    tarnel::rar::Archive archive;
    std::string error;
    const long index = tarnel::rar::readArchive(bytes.data(), bytes.size(), archive, &error)
                           ? tarnel::rar::findMember(archive, name)
                           : -1;
    if (index < 0 || archive.members[index].dataTruncated) {
        state.SkipWithError("member not found");
        return;
    }
    const tarnel::rar::Member& member = archive.members[index];
    const std::uint8_t* packed = bytes.data() + member.dataOffset;
    std::vector<std::uint8_t> out(member.unpackedSize);
    tarnel::rar::Unpack15 unpacker;
    for (auto _ : state) {
        if (!unpacker.unpack(packed, member.packedSize, out.data(), out.size(), false, &error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(out.size()));
}

void wave(benchmark::State& state) {
    decodeMember(state, "junrar_BoatModernEnglish-regular-unpack15-dos.rar", "BOATMO~1.WAV");
}
void text(benchmark::State& state) { decodeMember(state, "sharpcompress_Rar15.rar", "TECT.TXT"); }
void executable(benchmark::State& state) { decodeMember(state, "sharpcompress_Rar15.rar", "EXE\\TEST.EXE"); }

}  // namespace

BENCHMARK(wave);
BENCHMARK(text);
BENCHMARK(executable);
