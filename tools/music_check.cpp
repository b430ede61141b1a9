// Decoding "music.ogg" from memory with libvorbisfile, over callbacks that read the member's
// bytes and never past them.
#include "tools/music_check.h"

#include "assets/findings.h"
#include "assets/memory_file.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace tarnel::pack {

namespace {

constexpr const char* kMusicMember = "music.ogg";

class MemberStream {
public:
    const MemoryFile& file;
    std::size_t position = 0;
};

std::size_t readBytes(void* into, std::size_t size, std::size_t count, void* source) {
    auto* stream = static_cast<MemberStream*>(source);
    if (size == 0) return 0;
    std::size_t left = stream->file.size - std::min<std::size_t>(stream->position, stream->file.size);
    std::size_t bytes = std::min(size * count, left) / size * size;
    std::memcpy(into, stream->file.data.data() + stream->position, bytes);
    stream->position += bytes;
    return bytes / size;
}

int seekBytes(void* source, ogg_int64_t offset, int whence) {
    auto* stream = static_cast<MemberStream*>(source);
    ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(stream->position)
                                                                   : static_cast<ogg_int64_t>(stream->file.size);
    ogg_int64_t to = base + offset;
    if (to < 0 || to > static_cast<ogg_int64_t>(stream->file.size)) return -1;
    stream->position = static_cast<std::size_t>(to);
    return 0;
}

long tellBytes(void* source) { return static_cast<long>(static_cast<MemberStream*>(source)->position); }

std::string openFailure(int code) {
    switch (code) {
        case OV_ENOTVORBIS: return "has no Ogg Vorbis headers";
        case OV_EVERSION: return "is of a Vorbis version libvorbis does not read";
        case OV_EBADHEADER: return "has a damaged Vorbis header";
        case OV_EREAD: return "cannot be read to its Vorbis headers";
        default: return "does not open as Ogg Vorbis (libvorbisfile error " + std::to_string(code) + ")";
    }
}

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", value);
    return text;
}

void report(const std::string& message) { reportFinding(kMusicMember, 0, message + ": the saver plays no music"); }

// Whether the last whole page of the stream is its end-of-stream page: a member cut short
// decodes without an error up to the cut.
bool endsWithItsLastPage(const MemoryFile& file) {
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(file.size));
    bool last = false;
    if (buffer != nullptr) {
        std::memcpy(buffer, file.data.data(), file.size);
        ogg_sync_wrote(&sync, static_cast<long>(file.size));
        ogg_page page;
        for (int got; (got = ogg_sync_pageout(&sync, &page)) != 0;)
            if (got > 0) last = ogg_page_eos(&page) != 0;
    }
    ogg_sync_clear(&sync);
    return last;
}

// Decodes the whole stream; the first damage on the way is reported where it lies.
void decodeToTheEnd(OggVorbis_File& vorbis, const MemoryFile& file) {
    const vorbis_info* info = ov_info(&vorbis, -1);
    const long rate = info != nullptr && info->rate > 0 ? info->rate : 1;
    long long frames = 0;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        long got = ov_read_float(&vorbis, &pcm, 4096, &section);
        if (got == 0) break;
        if (got < 0) {
            reportFinding(kMusicMember, 0, "the Vorbis stream is damaged " + seconds(double(frames) / rate) +
                                               " in (libvorbisfile error " + std::to_string(got) +
                                               "): the music skips there");
            return;
        }
        frames += got;
    }
    if (frames == 0)
        report("the Vorbis stream holds no sound");
    else if (!endsWithItsLastPage(file))
        reportFinding(kMusicMember, 0, "the Ogg stream is cut short: it breaks off " + seconds(double(frames) / rate) +
                                           " in without its last page, and the loop starts again there");
}

}  // namespace

void checkMusicMember() {
    MemoryFile file;
    if (!file.open(kMusicMember)) return;  // the opener has reported why
    if (file.size == 0) {
        report("the member is empty");
        return;
    }
    MemberStream stream{file};
    OggVorbis_File vorbis;
    const ov_callbacks callbacks{readBytes, seekBytes, nullptr, tellBytes};
    int opened = ov_open_callbacks(&stream, &vorbis, nullptr, 0, callbacks);
    if (opened != 0) {
        report("the member " + openFailure(opened));
        return;
    }
    decodeToTheEnd(vorbis, file);
    ov_clear(&vorbis);
}

}  // namespace tarnel::pack
