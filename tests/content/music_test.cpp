// The music member is an Ogg Vorbis stream of one to three minutes that loops without a click.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include <vorbis/vorbisfile.h>

#include "content/music.h"
#include "tests/content/package_fixture.h"

using namespace content_test;

namespace {

struct Reader {
    const content::Bytes* bytes;
    size_t pos;
};

size_t readCb(void* dst, size_t size, size_t n, void* src) {
    auto* r = static_cast<Reader*>(src);
    size_t want = std::min(size * n, r->bytes->size() - r->pos);
    std::memcpy(dst, r->bytes->data() + r->pos, want);
    r->pos += want;
    return size ? want / size : 0;
}

int seekCb(void* src, ogg_int64_t offset, int whence) {
    auto* r = static_cast<Reader*>(src);
    long long base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? (long long)r->pos : (long long)r->bytes->size();
    long long to = base + offset;
    if (to < 0 || to > (long long)r->bytes->size()) return -1;
    r->pos = size_t(to);
    return 0;
}

long tellCb(void* src) { return long(static_cast<Reader*>(src)->pos); }

}  // namespace

TEST(DefaultMusic, IsAStereoVorbisStreamOfOneToThreeMinutes) {
    const content::Member* m = findMember(generatedPackage(), "music.ogg");
    ASSERT_NE(m, nullptr);
    Reader reader{&m->bytes, 0};
    OggVorbis_File vf;
    ov_callbacks cb{readCb, seekCb, nullptr, tellCb};
    ASSERT_EQ(ov_open_callbacks(&reader, &vf, nullptr, 0, cb), 0);
    vorbis_info* info = ov_info(&vf, -1);
    EXPECT_EQ(info->channels, 2);
    EXPECT_EQ(info->rate, content::kMusicRate);
    double seconds = ov_time_total(&vf, -1);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 180.0);
    // Decode it all: a damaged stream stops early.
    long long frames = 0;
    float** pcm;
    int section;
    long got;
    while ((got = ov_read_float(&vf, &pcm, 4096, &section)) > 0) frames += got;
    EXPECT_EQ(frames, ov_pcm_total(&vf, -1));
    ov_clear(&vf);
}

// The step from the last sample back to the first is no larger than the steps inside the
// music, and the level does not dip at the loop point.
TEST(DefaultMusic, LoopPointIsContinuous) {
    content::StereoBuffer music = content::synthesizeMusic(60.0);
    size_t n = music.frames();
    ASSERT_EQ(n, size_t(60 * content::kMusicRate));
    double maxStep = 0;
    for (size_t i = 1; i < n; ++i) maxStep = std::max(maxStep, double(std::fabs(music.left[i] - music.left[i - 1])));
    EXPECT_LE(std::fabs(music.left[0] - music.left[n - 1]), maxStep);
    EXPECT_LE(std::fabs(music.right[0] - music.right[n - 1]), maxStep);
    auto rms = [&](size_t from, size_t count) {
        double s = 0;
        for (size_t i = from; i < from + count; ++i) s += double(music.left[i]) * music.left[i];
        return std::sqrt(s / double(count));
    };
    size_t second = content::kMusicRate;
    EXPECT_GT(rms(0, second), 0.3 * rms(n - second, second));
    EXPECT_GT(rms(n - second, second), 0.3 * rms(0, second));
}
