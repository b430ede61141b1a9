// Frame-by-frame dump of a seeded camera flight, independent of the process-wide director.
#include "camera/camera_csv.h"

#include "camera/camera_director.h"
#include "camera/random.h"

#include <cmath>
#include <cstdio>

namespace tarnel {

namespace {

void writeVector(std::ostream& out, Vector3 v) {
    char text[64];
    std::snprintf(text, sizeof text, ",%.9g,%.9g,%.9g", v.x, v.y, v.z);
    out << text;
}

}  // namespace

bool writeCameraCsv(std::ostream& out, std::uint32_t seed, double seconds, double fps, double speedScale) {
    out << "frame,time,eye_x,eye_y,eye_z,look_x,look_y,look_z,up_x,up_y,up_z\n";
    if (!std::isfinite(seconds) || !std::isfinite(fps) || !std::isfinite(speedScale)) return false;
    if (fps <= 0.0 || seconds < 0.0) return false;
    // A frame is drawn once its whole interval has passed; the tolerance keeps 10 s at
    // 60 fps at 600 frames despite rounding.
    double frameCount = std::floor(seconds * fps + 1e-6);
    if (frameCount > kMaxCameraCsvFrames) return false;

    seedRandom(seed);
    CameraDirector director;
    director.start();
    long long frames = static_cast<long long>(frameCount);
    double dt = 1.0 / fps;
    for (long long frame = 1; frame <= frames; ++frame) {
        director.step(dt * speedScale);
        char lead[48];
        std::snprintf(lead, sizeof lead, "%lld,%.6f", frame, double(frame) * dt);
        out << lead;
        writeVector(out, director.eye);
        writeVector(out, director.look);
        writeVector(out, director.up);
        out << '\n';
    }
    return true;
}

}  // namespace tarnel
