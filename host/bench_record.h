// The --bench figures of one saver run: when the first loading-screen frame and the first
// scene frame were shown, the load step breakdown, and wall and CPU time of every frame split
// into update pass, frame render and swap. The frame samples are reserved before the loop,
// so recording a frame allocates nothing; with the record off the loop only tests a flag.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace tarnel {

// Seconds of one part of a frame: wall clock, and CPU of the drawing thread.
struct PartTime {
    double wall = 0.0;
    double cpu = 0.0;
};

struct FrameSample {
    PartTime update;   // camera step and update pass
    PartTime render;   // frame render: our code plus the GL driver work on this thread
    PartTime swap;     // buffer swap, where the rasteriser finishes the frame
    double frame = 0.0;  // wall seconds from the start of this frame to the start of the next
};

// A reading of both clocks, taken at the edges of the frame parts.
struct ClockReading {
    double wall = 0.0;
    double cpu = 0.0;
};

class BenchRecord {
public:
    bool enabled = false;
    double startWall = 0.0;               // process clock at start-up
    double firstLoadingFrame = -1.0;      // seconds after start; -1 until shown
    double loadEnd = -1.0;                // scene loaded
    double firstSceneFrame = -1.0;        // first scene frame swapped
    double loopProcessCpu = 0.0;          // CPU seconds of all threads over the loop
    double lastFrameStart = 0.0;          // wall clock at the start of the last recorded frame
    int width = 0;
    int height = 0;
    std::vector<FrameSample> frames;

    void begin(long expectedFrames);
    static ClockReading now();
    double sinceStart(double wall) const { return wall - startWall; }
};

// The one bench record of the process.
BenchRecord& benchRecord();

struct Summary {
    double mean = 0.0;
    double median = 0.0;
    double p99 = 0.0;
};
// Mean, median and 99th percentile (nearest rank); zeros for no values.
Summary summarise(std::vector<double> values);

// The figures as text for a person, or as one JSON object.
void writeBenchReport(const BenchRecord& record, bool json, std::ostream& out);

}  // namespace tarnel
