// Preparation and evaluation of keyframe tracks (the loaders are in key_track_loader.cpp).
#include "camera/key_track.h"

namespace tarnel {

void KeyTrack::prepare() {
    std::size_t count = keys.size();
    if (count < 2) return;
    KeyFrame& first = *keys[0];
    first.outControl = slerp(first.quaternion, keys[1]->quaternion, 1.0 / 3.0);
    first.gradient = keys[1]->position - first.position;
    for (std::size_t i = 1; i + 1 < count; ++i) refreshInteriorKey(*keys[i], *keys[i - 1], *keys[i + 1]);
    KeyFrame& last = *keys[count - 1];
    const KeyFrame& beforeLast = *keys[count - 2];
    last.inControl = slerp(last.quaternion, beforeLast.quaternion, 1.0 / 3.0);
    last.gradient = last.position - beforeLast.position;
}

std::optional<KeyPose> KeyTrack::evaluate(double t) const {
    if (keys.empty() || keys.front()->time > t) return std::nullopt;
    if (keys.size() == 1) return KeyPose{keys.front()->position, keys.front()->quaternion};
    std::size_t segment = 0;
    bool found = false;
    for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
        if (keys[i]->time <= t && keys[i + 1]->time >= t) {
            segment = i;
            found = true;
            break;
        }
    }
    // Beyond the last key the first segment is shown at time 0: the track does not loop.
    if (!found) t = 0.0;
    const KeyFrame& a = *keys[segment];
    const KeyFrame& b = *keys[segment + 1];
    double span = double(b.time) - double(a.time);
    // Two keys at the same time would divide by zero; the earlier key's pose stands instead.
    float u = span != 0.0 ? float((t - a.time) / span) : 0.0f;
    return interpolateSegment(a, b, u);
}

}  // namespace tarnel
