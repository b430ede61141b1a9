// One looping buffer: the whole track in 16-bit samples, played with the loop flags of its
// only header, so nothing needs refilling while the saver runs.
#include "platform/win32/waveout_music.h"

#include <cstdlib>

#define STB_VORBIS_NO_STDIO
#include <stb_vorbis.h>

namespace tarnel::platform {

void WaveOutMusic::FreeSamples::operator()(short* samples) const { std::free(samples); }

void WaveOutMusic::setVolume(int percent) {
    volumePercent_ = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    if (!device_) return;
    DWORD level = static_cast<DWORD>(volumePercent_) * 0xFFFFu / 100u;
    waveOutSetVolume(device_, level | (level << 16));
}

bool WaveOutMusic::playLooped(const std::vector<std::uint8_t>& bytes) {
    if (device_ || bytes.empty() || bytes.size() > 0x7FFFFFFFu) return false;
    int channels = 0;
    int rate = 0;
    short* decoded = nullptr;
    int frames = stb_vorbis_decode_memory(bytes.data(), static_cast<int>(bytes.size()), &channels, &rate, &decoded);
    samples_.reset(decoded);
    if (frames <= 0 || channels < 1 || channels > 2 || rate <= 0) return false;

    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    if (waveOutOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return false;
    }
    setVolume(volumePercent_);
    header_ = WAVEHDR{};
    header_.lpData = reinterpret_cast<LPSTR>(samples_.get());
    header_.dwBufferLength = static_cast<DWORD>(frames) * format.nBlockAlign;
    header_.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    header_.dwLoops = 0xFFFFFFFFu;  // the most the device counts: years of a looping track
    if (waveOutPrepareHeader(device_, &header_, sizeof header_) != MMSYSERR_NOERROR) return false;
    return waveOutWrite(device_, &header_, sizeof header_) == MMSYSERR_NOERROR;
}

void WaveOutMusic::stop() {
    if (device_) waveOutReset(device_);
}

void WaveOutMusic::close() {
    if (!device_) return;
    waveOutReset(device_);
    if (header_.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device_, &header_, sizeof header_);
    waveOutClose(device_);
    device_ = nullptr;
    header_ = WAVEHDR{};
    samples_.reset();
}

}  // namespace tarnel::platform
