#include "assets/memory_file.h"
#include "camera/key_track.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

using tarnel::KeyFrame;
using tarnel::KeyTrack;

namespace {

const char* const kTwoKeys =
    "keyframe\n"
    "position V(0 0 100)\n"
    "quaternion Q(0 0 0 1)\n"
    "time 0\n"
    "end\n"
    "keyframe\n"
    "position V(0 0 10)\n"
    "gradient V(1 2 3)\n"
    "quaternion Q(0.5 -0.5 0.5 0.5)\n"
    "freeze\n"
    "time 10\n"
    "end\n"
    "ENDKEYS\n";

void loadFromText(KeyTrack& track, const std::string& text) {
    tarnel::MemoryFile file;
    file.openBytes("keys.txt", std::vector<std::uint8_t>(text.begin(), text.end()));
    track.loadFromMemoryFile(file);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

void loadFromStreamText(KeyTrack& track, const std::string& text) {
    std::unique_ptr<std::FILE, FileCloser> stream(std::tmpfile());
    ASSERT_TRUE(stream);
    std::fputs(text.c_str(), stream.get());
    std::rewind(stream.get());
    track.loadFromStream(stream.get());
}

// Both loaders must agree wherever their line readers do.
void loadEachWay(const std::string& text, KeyTrack& fromMemory, KeyTrack& fromStream) {
    loadFromText(fromMemory, text);
    loadFromStreamText(fromStream, text);
}

}  // namespace

TEST(KeyTrackLoader, ReadsEveryFieldOfEachKey) {
    KeyTrack memory, stream;
    loadEachWay(kTwoKeys, memory, stream);
    for (KeyTrack* track : {&memory, &stream}) {
        ASSERT_EQ(track->keys.size(), 2u);
        const KeyFrame& first = *track->keys[0];
        const KeyFrame& second = *track->keys[1];
        EXPECT_EQ(first.position.z, 100.0f);
        EXPECT_EQ(first.quaternion.w, 1.0f);
        EXPECT_EQ(first.time, 0.0f);
        EXPECT_FALSE(first.freeze);
        EXPECT_EQ(second.position.z, 10.0f);
        EXPECT_EQ(second.gradient.y, 2.0f);
        EXPECT_EQ(second.quaternion.x, 0.5f);
        EXPECT_EQ(second.quaternion.y, -0.5f);
        EXPECT_EQ(second.quaternion.w, 0.5f);
        EXPECT_TRUE(second.freeze);
        EXPECT_EQ(second.time, 10.0f);
        // Controls keep their construction values until prepared.
        EXPECT_EQ(second.inControl.y, 1.0f);
    }
}

TEST(KeyTrackLoader, EndkeysInsideAKeyIsAnIgnoredLine) {
    KeyTrack memory, stream;
    loadEachWay("keyframe\nposition V(1 1 1)\nENDKEYS\ntime 3\nend\nkeyframe\ntime 4\nend\nENDKEYS\n", memory,
                stream);
    for (KeyTrack* track : {&memory, &stream}) {
        ASSERT_EQ(track->keys.size(), 2u);
        EXPECT_EQ(track->keys[0]->time, 3.0f);
        EXPECT_EQ(track->keys[1]->time, 4.0f);
    }
}

TEST(KeyTrackLoader, AnyWordBeginningWithEndClosesTheKey) {
    KeyTrack memory, stream;
    loadEachWay("keyframe\ntime 1\nendless\ntime 2\nkeyframe\ntime 3\nend\nENDKEYS\n", memory, stream);
    for (KeyTrack* track : {&memory, &stream}) {
        ASSERT_EQ(track->keys.size(), 2u);
        EXPECT_EQ(track->keys[0]->time, 1.0f);  // "time 2" lay outside any key
        EXPECT_EQ(track->keys[1]->time, 3.0f);
    }
}

TEST(KeyTrackLoader, OnlyTheMemoryFileLoaderAcceptsIndentedKeywords) {
    const std::string text = "keyframe\n   position V(4 5 6)\n  time 7\nend\nENDKEYS\n";
    KeyTrack memory, stream;
    loadEachWay(text, memory, stream);
    ASSERT_EQ(memory.keys.size(), 1u);
    EXPECT_EQ(memory.keys[0]->position.y, 5.0f);
    EXPECT_EQ(memory.keys[0]->time, 7.0f);
    ASSERT_EQ(stream.keys.size(), 1u);
    EXPECT_EQ(stream.keys[0]->position.y, 0.0f);
    EXPECT_EQ(stream.keys[0]->time, 0.0f);
}

TEST(KeyTrackLoader, MemoryFileLoaderDropsCarriageReturns) {
    KeyTrack track;
    loadFromText(track, "keyframe\r\ntime 2.5\r\nend\r\nENDKEYS\r\n");
    ASSERT_EQ(track.keys.size(), 1u);
    EXPECT_EQ(track.keys[0]->time, 2.5f);
}

TEST(KeyTrackLoader, KeyWithoutTimeLineGetsTimeZero) {
    KeyTrack memory, stream;
    loadEachWay("keyframe\nposition V(1 2 3)\nend\nENDKEYS\n", memory, stream);
    for (KeyTrack* track : {&memory, &stream}) {
        ASSERT_EQ(track->keys.size(), 1u);
        EXPECT_EQ(track->keys[0]->time, 0.0f);
    }
}

TEST(KeyTrackLoader, InputEndingInsideAKeyStopsAndDropsThatKey) {
    KeyTrack memory, stream;
    loadEachWay("keyframe\ntime 1\nend\nkeyframe\ntime 2\nposition V(1 2 3)", memory, stream);
    for (KeyTrack* track : {&memory, &stream}) {
        ASSERT_EQ(track->keys.size(), 1u);
        EXPECT_EQ(track->keys[0]->time, 1.0f);
    }
}

TEST(KeyTrackLoader, LastLineWithoutLineFeedStillCounts) {
    KeyTrack memory, stream;
    loadEachWay("keyframe\ntime 6\nend", memory, stream);
    for (KeyTrack* track : {&memory, &stream}) {
        ASSERT_EQ(track->keys.size(), 1u);
        EXPECT_EQ(track->keys[0]->time, 6.0f);
    }
}

TEST(KeyTrackLoader, ReadingStopsRightAfterEndkeys) {
    tarnel::MemoryFile file;
    std::string text = std::string(kTwoKeys) + "after the block\n";
    file.openBytes("keys.txt", std::vector<std::uint8_t>(text.begin(), text.end()));
    KeyTrack track;
    track.loadFromMemoryFile(file);
    char line[128];
    file.readLine(line, sizeof line);
    EXPECT_STREQ(line, "after the block");
    // A second block appends to the same track.
    loadFromText(track, kTwoKeys);
    EXPECT_EQ(track.keys.size(), 4u);
}

// Lines past 127 characters: the memory-file loader cuts them, the stream loader reads the
// rest as a line of its own, so text beyond column 127 can only reach the stream loader.
TEST(KeyTrackLoader, LongLinesStayWithinTheLineBuffer) {
    std::string text = "keyframe\ntime 1\n" + std::string(127, 'x') + "end\ntime 2\nend\nkeyframe\n" +
                       std::string(5000, ' ') + "time 3\n" + "position V(" + std::string(400, '1') +
                       " 2 3)\nend\nENDKEYS\n";
    KeyTrack memory, stream;
    loadEachWay(text, memory, stream);
    ASSERT_EQ(memory.keys.size(), 2u);
    EXPECT_EQ(memory.keys[0]->time, 2.0f);
    EXPECT_EQ(memory.keys[1]->time, 3.0f);  // leading spaces are skipped before the cut
    ASSERT_EQ(stream.keys.size(), 2u);
    EXPECT_EQ(stream.keys[0]->time, 1.0f);
    EXPECT_EQ(stream.keys[1]->time, 0.0f);  // its "time" line came indented in pieces
}

TEST(KeyTrackLoader, NullStreamLoadsNothing) {
    KeyTrack track;
    track.loadFromStream(nullptr);
    EXPECT_TRUE(track.keys.empty());
}

TEST(KeyTrackLoader, LoadedBlockEvaluatesOnItsCurve) {
    KeyTrack track;
    loadFromText(track, kTwoKeys);
    track.prepare();
    auto pose = track.evaluate(5);
    ASSERT_TRUE(pose);
    // Straight segment with one-sided gradients: midway between 100 and 10.
    EXPECT_NEAR(pose->position.z, 55.0f, 1e-3f);
    EXPECT_FALSE(track.evaluate(-1));
}
