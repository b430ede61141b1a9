// A keyframe track: keys in load order, owned by the track, read from a "keyframe" ...
// "ENDKEYS" text block, prepared once, then evaluated at any time. Mesh objects follow one;
// every scene object owns one.
#pragma once

#include "camera/key_frame.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace tarnel {

class MemoryFile;

class KeyTrack {
public:
    static constexpr std::size_t kLineSize = 128;  // line buffer of both loaders

    std::vector<std::unique_ptr<KeyFrame>> keys;  // load order; expected in ascending time

    // Append the keys of one block. Both stop at "ENDKEYS" or at the end of the input; a key
    // still open at the end of the input is dropped. The stream loader reads fgets-style
    // lines (keywords in the first column); the memory-file loader reads readLine lines, so
    // keywords may be indented with spaces. Lines are cut to kLineSize - 1 characters.
    void loadFromStream(std::FILE* stream);
    void loadFromMemoryFile(MemoryFile& file);

    // Derives every key's gradient and Bezier controls from the positions and quaternions;
    // gradients read from the block are overwritten. Does nothing with fewer than two keys.
    void prepare();

    // The pose at time t, or nothing before the first key and for an empty track. Past the
    // last key the track shows the start of its first segment (time 0); a one-key track
    // holds that key's pose from its time on.
    std::optional<KeyPose> evaluate(double t) const;

    void clear() { keys.clear(); }
};

}  // namespace tarnel
