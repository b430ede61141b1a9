// Saver timing: the frame timer that measures each frame's elapsed seconds from the
// high-resolution counter, and the one-second period that resets the mouse travel and
// counts frames per second.
#pragma once

#include <cstdint>

namespace tarnel {

// The longest step a frame gives the scene, in seconds of real time. A frame that took
// longer (a paused virtual machine, a stopped process, a suspended laptop) advances the
// flight and the animations by this much only, so they go on where they stood instead of
// jumping ahead: an hour's step would carry the camera some 1e12 units out along its curves.
// A quarter second keeps real time down to 4 frames a second, far below a usable saver.
constexpr double kStallBoundSeconds = 0.25;

class FrameTimer {
public:
    double reciprocalFrequency = 0.0;  // seconds per counter tick
    std::uint64_t lastCount = 0;       // counter ticks
    double elapsed = 0.0;              // seconds of the last frame's step, at most the stall bound
    double measured = 0.0;             // seconds of the last frame as the counter gave them

    void start(std::uint64_t frequency, std::uint64_t now);
    // The step since the last reading: its seconds, cut to the stall bound; the timer then
    // takes this reading.
    double next(std::uint64_t now);
};

class SecondPeriod {
public:
    std::uint64_t startCount = 0;
    int frames = 0;             // frames drawn in the running period
    int framesPerSecond = 0;    // frames of the last complete period

    void start(std::uint64_t now);
    // Counts one frame; true when more than one second has passed since the period began,
    // in which case a new period begins.
    bool countFrame(std::uint64_t now, double reciprocalFrequency);
    // The frame render's check, made before the frame is counted: when more than one second
    // has passed, publishes the frames counted so far and begins a new period (true).
    bool endIfDue(std::uint64_t now, double reciprocalFrequency);
};

class Timers {
public:
    FrameTimer frame;
    SecondPeriod period;
    float speedScale = 1.5f;   // camera time scale, Speed / 50 + 0.5
};

// The process-wide timers of the saver run.
Timers& timers();

// Speed 0 gives 0.5, 50 gives 1.5, 100 gives 2.5.
float speedScaleFor(std::uint32_t speed);

}  // namespace tarnel
