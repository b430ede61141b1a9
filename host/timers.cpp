// Counter arithmetic of the frame timer and the one-second period.
#include "host/timers.h"

#include <algorithm>

namespace tarnel {

void FrameTimer::start(std::uint64_t frequency, std::uint64_t now) {
    reciprocalFrequency = frequency ? 1.0 / static_cast<double>(frequency) : 0.0;
    lastCount = now;
    elapsed = 0.0;
    measured = 0.0;
}

double FrameTimer::next(std::uint64_t now) {
    measured = static_cast<double>(now - lastCount) * reciprocalFrequency;
    elapsed = std::min(measured, kStallBoundSeconds);
    lastCount = now;
    return elapsed;
}

void SecondPeriod::start(std::uint64_t now) {
    startCount = now;
    frames = 0;
}

bool SecondPeriod::countFrame(std::uint64_t now, double reciprocalFrequency) {
    ++frames;
    return endIfDue(now, reciprocalFrequency);
}

bool SecondPeriod::endIfDue(std::uint64_t now, double reciprocalFrequency) {
    if (static_cast<double>(now - startCount) * reciprocalFrequency <= 1.0) return false;
    framesPerSecond = frames;
    start(now);
    return true;
}

Timers& timers() {
    // The one set of saver timers in the process.
    static Timers record;
    return record;
}

float speedScaleFor(std::uint32_t speed) {
    long double setting = speed;
    return static_cast<float>(setting / 50.0L + 0.5L);
}

}  // namespace tarnel
