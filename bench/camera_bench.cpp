// Cost of the per-frame camera work: one director step, and one keyframe-track evaluation as
// a mesh does it on every update.
#include "camera/camera_director.h"
#include "camera/key_track.h"
#include "camera/random.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

void directorStep(benchmark::State& state) {
    tarnel::seedRandom(1);
    tarnel::CameraDirector director;
    director.start();
    for (auto _ : state) {
        director.step(1.0 / 60.0);
        benchmark::DoNotOptimize(director.eye);
    }
}
BENCHMARK(directorStep);

void trackEvaluate(benchmark::State& state) {
    tarnel::KeyTrack track;
    for (int i = 0; i < state.range(0); ++i) {
        auto key = std::make_unique<tarnel::KeyFrame>();
        key->time = float(i);
        key->position.set(std::cos(i * 0.5f) * 100, float(i), std::sin(i * 0.5f) * 100);
        float half = i * 0.3f;
        key->quaternion = tarnel::Quaternion(0, std::sin(half), 0, std::cos(half));
        track.keys.push_back(std::move(key));
    }
    track.prepare();
    double t = 0;
    for (auto _ : state) {
        auto pose = track.evaluate(t);
        benchmark::DoNotOptimize(pose);
        t += 0.013;
        if (t >= double(state.range(0) - 1)) t = 0;
    }
}
BENCHMARK(trackEvaluate)->Arg(2)->Arg(16)->Arg(256);

}  // namespace
