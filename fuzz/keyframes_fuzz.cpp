// Keyframe blocks from arbitrary bytes: load through a memory file, prepare, evaluate at a
// few times. Any input must load without reading outside a buffer.
#include "assets/memory_file.h"
#include "camera/key_track.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnel::MemoryFile file;
    file.openBytes("keys.txt", std::vector<std::uint8_t>(data, data + size));
    tarnel::KeyTrack track;
    track.loadFromMemoryFile(file);
    // A second block after "ENDKEYS" continues from where the first stopped.
    track.loadFromMemoryFile(file);
    track.prepare();
    float sink = 0.0f;
    for (double t : {-1.0, 0.0, 0.5, 5.0, 12.0, 1e9}) {
        if (auto pose = track.evaluate(t)) sink += pose->position.x + pose->orientation.w;
    }
    static_cast<void>(sink);
    track.clear();
    return 0;
}
