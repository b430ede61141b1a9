// Cost of one frame of a particle system in each behaviour: the update with dens 1000 on its
// own, and the draw on the headless context (finished, so the driver's work is counted) with
// the default scene's densest count and with the cap of "dens".
// Compare the update's "ns_per_particle" with the budget of 50 ns (50 us per 1000).
#include "camera/camera_director.h"
#include "camera/camera_view.h"
#include "camera/random.h"
#include "gfx/gl_state.h"
#include "platform/headless_platform.h"
#include "platform/offscreen_gl.h"
#include "scene/particle_system.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using tarnel::ParticleMode;

constexpr int kDens = 1000;
constexpr int kMaxDens = tarnel::ParticleSystem::kMaxParticles;
constexpr double kFrameSeconds = 1.0 / 60.0;

std::unique_ptr<tarnel::ParticleSystem> makeSystem(ParticleMode mode, int dens = kDens) {
    tarnel::seedRandom(3);
    auto system = std::make_unique<tarnel::ParticleSystem>();
    system->mode = mode;
    system->size = 3000.0f;
    system->point1 = tarnel::Vector3(0.0f, 0.0f, -20000.0f);
    system->allocateParticles(dens);
    // Past the first respawn, burst or strike, as in a running scene.
    for (int frame = 0; frame < 600; ++frame) system->update(kFrameSeconds);
    return system;
}

void particleUpdate(benchmark::State& state, ParticleMode mode) {
    auto system = makeSystem(mode);
    for (auto _ : state) {
        system->update(kFrameSeconds);
        benchmark::DoNotOptimize(system->particles.data());
    }
    state.counters["ns_per_particle"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kDens, benchmark::Counter::kIsRate |
                                                                               benchmark::Counter::kInvert);
}

void particleDraw(benchmark::State& state, ParticleMode mode) {
    constexpr int kWidth = 640, kHeight = 480;
    auto gl = tarnel::platform::OffscreenGl::create(kWidth, kHeight);
    if (!gl) {
        state.SkipWithError("no headless GL context");
        return;
    }
    tarnel::platform::HeadlessPlatform platform(kWidth, kHeight);
    tarnel::gfx::GlStartSettings settings;
    settings.width = kWidth;
    settings.height = kHeight;
    tarnel::gfx::setupGlState(platform, settings);
    tarnel::CameraDirector camera;
    camera.eye = camera.position = tarnel::Vector3(0.0f, 5000.0f, 40000.0f);
    camera.look = tarnel::normalize(-camera.eye);
    camera.up = tarnel::Vector3(0.0f, 1.0f, 0.0f);
    auto system = makeSystem(mode, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        tarnel::applyCameraView(camera);
        system->draw(camera);
        glFinish();
    }
}

BENCHMARK_CAPTURE(particleUpdate, line, ParticleMode::Line);
BENCHMARK_CAPTURE(particleUpdate, circ, ParticleMode::Circ);
BENCHMARK_CAPTURE(particleUpdate, flash, ParticleMode::Flash);
// The draw at the default scene's densest count and at the cap of "dens".
BENCHMARK_CAPTURE(particleDraw, line, ParticleMode::Line)->Arg(36)->Arg(kMaxDens)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(particleDraw, circ, ParticleMode::Circ)->Arg(36)->Arg(kMaxDens)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(particleDraw, flash, ParticleMode::Flash)->Arg(36)->Arg(kMaxDens)->Unit(benchmark::kMicrosecond);

}  // namespace
