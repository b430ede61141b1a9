// The two readers of the keyframe block. Both feed lines to one state machine, so the
// stream and memory-file forms differ only in how a line is read.
#include "assets/memory_file.h"
#include "camera/key_track.h"
#include "script/line_scan.h"

namespace tarnel {

namespace {

// Outside a key, lines are skipped until "keyframe" or "ENDKEYS"; inside, field lines are
// stored and a line beginning with "end" (any longer word too) closes the key. "ENDKEYS"
// inside a key is just an ignored line.
class KeyBlockReader {
public:
    explicit KeyBlockReader(KeyTrack& track) : track_(track) {}

    // False once the block has ended.
    bool takeLine(const char* line) {
        if (!open_) {
            if (startsWithKeyword(line, "keyframe")) {
                open_ = std::make_unique<KeyFrame>();
                return true;
            }
            return !startsWithKeyword(line, "ENDKEYS");
        }
        readField(line, *open_);
        if (startsWithKeyword(line, "end")) track_.keys.push_back(std::move(open_));
        return true;
    }

private:
    static void readField(const char* line, KeyFrame& key) {
        if (startsWithKeyword(line, "position"))
            scanValues(line, "position V(%f %f %f)", key.position.x, key.position.y, key.position.z);
        if (startsWithKeyword(line, "gradient"))
            scanValues(line, "gradient V(%f %f %f)", key.gradient.x, key.gradient.y, key.gradient.z);
        if (startsWithKeyword(line, "quaternion"))
            scanValues(line, "quaternion Q(%f %f %f %f)", key.quaternion.x, key.quaternion.y,
                       key.quaternion.z, key.quaternion.w);
        if (startsWithKeyword(line, "time")) scanValues(line, "time %f", key.time);
        if (startsWithKeyword(line, "freeze")) key.freeze = true;
    }

    KeyTrack& track_;
    std::unique_ptr<KeyFrame> open_;  // the key being read, if any
};

}  // namespace

void KeyTrack::loadFromStream(std::FILE* stream) {
    if (!stream) return;
    KeyBlockReader reader(*this);
    char line[kLineSize];
    while (std::fgets(line, sizeof line, stream)) {
        if (!reader.takeLine(line)) return;
    }
}

void KeyTrack::loadFromMemoryFile(MemoryFile& file) {
    KeyBlockReader reader(*this);
    char line[kLineSize];
    for (;;) {
        // The last line of the data comes with result 0 and still counts.
        int more = file.readLine(line, sizeof line);
        if (!reader.takeLine(line) || !more) return;
    }
}

}  // namespace tarnel
