// The ambient loop: synthesised pads, bass, chimes and noise swells, folded into a seamless
// loop, then encoded as Ogg Vorbis.
#pragma once

#include <vector>

#include "content/encode.h"

namespace content {

constexpr int kMusicRate = 44100;

struct StereoBuffer {
    std::vector<float> left, right;
    size_t frames() const { return left.size(); }
};

// Exactly one loop of music: its last sample leads into its first without a jump, because
// everything that rings past the end (releases, echoes) is added back onto the start.
StereoBuffer synthesizeMusic(double loopSeconds);

Bytes encodeVorbis(const StereoBuffer& music, float quality);

}  // namespace content
