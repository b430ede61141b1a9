// Where the package load spends its time, for --bench. The load steps (archive reads, JPEG
// decodes, mipmap builds, meshes, scripts) are marked with scoped timers; time is charged
// to the innermost open step only, so a script that reads an archive member is not counted
// twice and the steps add up to the whole load. Switched off, a timer costs one test.
#pragma once

#include <array>
#include <chrono>

namespace tarnel {

enum class LoadStep { Other, Archive, JpegDecode, Mipmaps, Meshes, Scripts, Count };

const char* loadStepName(LoadStep step);

class LoadTiming {
public:
    using Clock = std::chrono::steady_clock;
    bool enabled = false;
    std::array<double, static_cast<int>(LoadStep::Count)> seconds{};  // exclusive time per step
    LoadStep current = LoadStep::Other;
    Clock::time_point since{};

    void start();                 // clears the figures and charges from now on to Other
    void switchTo(LoadStep step); // charges the time until now to the open step
};

// The one load record of the process.
LoadTiming& loadTiming();

class ScopedLoadStep {
public:
    explicit ScopedLoadStep(LoadStep step);
    ~ScopedLoadStep();
    ScopedLoadStep(const ScopedLoadStep&) = delete;
    ScopedLoadStep& operator=(const ScopedLoadStep&) = delete;

private:
    LoadStep outer_ = LoadStep::Other;
    bool active_ = false;
};

}  // namespace tarnel
