// Decoding speed of the 1.5 decompressor on the audio member of the real DOS-made archive,
// reported as output bytes per second.
#include "assets/rar/unpack15.h"
#include "tests/archive/rar_member_scan.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void decodeMember(benchmark::State& state, const char* archive, const char* name) {
    const tarnel::test::PackedMember member =
        tarnel::test::findPackedMember(std::string(TARNEL_SHARED_TESTDATA) + "/rar/" + archive, name);
    if (!member.found) {
        state.SkipWithError("member not found");
        return;
    }
    std::vector<std::uint8_t> out(member.unpackedSize);
    tarnel::rar::Unpack15 unpacker;
    std::string error;
    for (auto _ : state) {
        if (!unpacker.unpack(member.packed.data(), member.packed.size(), out.data(), out.size(), false, &error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * member.unpackedSize);
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
