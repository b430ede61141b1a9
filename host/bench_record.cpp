// Bench figures: recording is cheap and allocation-free; the summary is made once, after the run.
#include "host/bench_record.h"

#include "assets/load_timing.h"
#include "platform/system.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace tarnel {

namespace {

double counterSeconds() {
    return static_cast<double>(platform::counterNow()) / static_cast<double>(platform::counterFrequency());
}

double ms(double seconds) { return seconds * 1000.0; }

std::string fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

struct FrameSummaries {
    Summary frame, updateWall, updateCpu, renderWall, renderCpu, swapWall, swapCpu, drawingCpu;
    std::size_t count = 0;
    double drawingCpuFirstQuarter = 0.0;  // mean drawing-thread CPU seconds of the first and last quarter of
    double drawingCpuLastQuarter = 0.0;   // the run: a cost that grows with run time shows here
};

double meanDrawingCpu(const std::vector<FrameSample>& frames, std::size_t from, std::size_t to) {
    if (to <= from) return 0.0;
    double total = 0.0;
    for (std::size_t i = from; i < to; ++i) total += frames[i].update.cpu + frames[i].render.cpu;
    return total / static_cast<double>(to - from);
}

// The first frame warms the rasteriser's caches and is left out of the steady figures.
FrameSummaries summariseFrames(const std::vector<FrameSample>& frames) {
    FrameSummaries s;
    std::size_t first = frames.size() > 1 ? 1 : 0;
    std::vector<double> v[8];
    for (std::size_t i = first; i < frames.size(); ++i) {
        const FrameSample& f = frames[i];
        double values[8] = {f.frame, f.update.wall, f.update.cpu, f.render.wall,
                            f.render.cpu, f.swap.wall, f.swap.cpu, f.update.cpu + f.render.cpu};
        for (int k = 0; k < 8; ++k) v[k].push_back(values[k]);
    }
    Summary* out[8] = {&s.frame, &s.updateWall, &s.updateCpu, &s.renderWall,
                       &s.renderCpu, &s.swapWall, &s.swapCpu, &s.drawingCpu};
    for (int k = 0; k < 8; ++k) *out[k] = summarise(std::move(v[k]));
    s.count = frames.size() - first;
    std::size_t quarter = s.count / 4;
    s.drawingCpuFirstQuarter = meanDrawingCpu(frames, first, first + quarter);
    s.drawingCpuLastQuarter = meanDrawingCpu(frames, frames.size() - quarter, frames.size());
    return s;
}

}  // namespace

void BenchRecord::begin(long expectedFrames) {
    enabled = true;
    frames.clear();
    frames.reserve(static_cast<std::size_t>(std::max(1L, expectedFrames)));
    loadTiming().enabled = true;
}

ClockReading BenchRecord::now() { return ClockReading{counterSeconds(), platform::threadCpuSeconds()}; }

BenchRecord& benchRecord() {
    // The one benchmark of the process.
    static BenchRecord record;
    return record;
}

Summary summarise(std::vector<double> values) {
    Summary summary;
    if (values.empty()) return summary;
    std::sort(values.begin(), values.end());
    double total = 0.0;
    for (double value : values) total += value;
    std::size_t n = values.size();
    summary.mean = total / static_cast<double>(n);
    summary.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    std::size_t rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(n)));
    summary.p99 = values[std::min(n, std::max<std::size_t>(rank, 1)) - 1];
    return summary;
}

void writeBenchReport(const BenchRecord& record, bool json, std::ostream& out) {
    const LoadTiming& load = loadTiming();
    FrameSummaries s = summariseFrames(record.frames);
    double fps = s.frame.mean > 0.0 ? 1.0 / s.frame.mean : 0.0;
    double loopCpuPerFrame = record.frames.empty() ? 0.0 : record.loopProcessCpu / record.frames.size();
    auto triple = [&](const Summary& x) {
        return json ? "{\"mean\": " + fixed(ms(x.mean)) + ", \"median\": " + fixed(ms(x.median)) +
                          ", \"p99\": " + fixed(ms(x.p99)) + "}"
                    : "mean " + fixed(ms(x.mean)) + "  median " + fixed(ms(x.median)) + "  p99 " + fixed(ms(x.p99));
    };
    if (json) {
        out << "{\n  \"size\": [" << record.width << ", " << record.height << "],\n";
        out << "  \"first_loading_frame_ms\": " << fixed(ms(record.firstLoadingFrame)) << ",\n";
        out << "  \"load_ms\": " << fixed(ms(record.loadEnd)) << ",\n";
        out << "  \"first_scene_frame_ms\": " << fixed(ms(record.firstSceneFrame)) << ",\n";
        out << "  \"load_steps_ms\": {";
        for (int i = 0; i < static_cast<int>(LoadStep::Count); ++i)
            out << (i ? ", " : "") << '"' << loadStepName(static_cast<LoadStep>(i)) << "\": " << fixed(ms(load.seconds[i]));
        out << "},\n  \"frames\": " << s.count << ",\n  \"fps\": " << fixed(fps) << ",\n";
        out << "  \"frame_ms\": " << triple(s.frame) << ",\n";
        out << "  \"update_ms\": {\"wall\": " << triple(s.updateWall) << ", \"cpu\": " << triple(s.updateCpu) << "},\n";
        out << "  \"render_ms\": {\"wall\": " << triple(s.renderWall) << ", \"cpu\": " << triple(s.renderCpu) << "},\n";
        out << "  \"swap_ms\": {\"wall\": " << triple(s.swapWall) << ", \"cpu\": " << triple(s.swapCpu) << "},\n";
        out << "  \"drawing_thread_cpu_ms\": " << triple(s.drawingCpu) << ",\n";
        out << "  \"drawing_thread_cpu_quarters_ms\": [" << fixed(ms(s.drawingCpuFirstQuarter)) << ", "
            << fixed(ms(s.drawingCpuLastQuarter)) << "],\n";
        out << "  \"process_cpu_per_frame_ms\": " << fixed(ms(loopCpuPerFrame)) << "\n}\n";
        return;
    }
    out << "tarnel bench " << record.width << "x" << record.height << ", " << s.count << " frames (first left out)\n";
    out << "first loading frame " << fixed(ms(record.firstLoadingFrame)) << " ms, load " << fixed(ms(record.loadEnd))
        << " ms, first scene frame " << fixed(ms(record.firstSceneFrame)) << " ms after start\n";
    out << "load steps (ms):";
    for (int i = 0; i < static_cast<int>(LoadStep::Count); ++i)
        out << "  " << loadStepName(static_cast<LoadStep>(i)) << " " << fixed(ms(load.seconds[i]));
    out << "\nframe ms          " << triple(s.frame) << "  (" << fixed(fps) << " fps)\n";
    out << "update wall ms    " << triple(s.updateWall) << "\nupdate cpu ms     " << triple(s.updateCpu) << "\n";
    out << "render wall ms    " << triple(s.renderWall) << "\nrender cpu ms     " << triple(s.renderCpu) << "\n";
    out << "swap wall ms      " << triple(s.swapWall) << "\nswap cpu ms       " << triple(s.swapCpu) << "\n";
    out << "drawing cpu ms    " << triple(s.drawingCpu) << "  (update + render, drawing thread)\n";
    out << "drawing cpu ms, first and last quarter of the run  " << fixed(ms(s.drawingCpuFirstQuarter)) << "  "
        << fixed(ms(s.drawingCpuLastQuarter)) << "\n";
    out << "process cpu per frame " << fixed(ms(loopCpuPerFrame)) << " ms (all threads, rasteriser included)\n";
}

}  // namespace tarnel
