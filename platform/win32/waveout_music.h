// The music of the saver: an Ogg Vorbis track decoded whole by stb_vorbis and looped through
// waveOut at a volume in percent. Every failure leaves it silent; nothing is reported.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace tarnel::platform {

class WaveOutMusic {
public:
    WaveOutMusic() = default;
    ~WaveOutMusic() { close(); }
    WaveOutMusic(const WaveOutMusic&) = delete;
    WaveOutMusic& operator=(const WaveOutMusic&) = delete;

    void setVolume(int percent);
    // Decodes bytes and starts them looping on the default output device.
    bool playLooped(const std::vector<std::uint8_t>& bytes);
    void stop();
    void close();

private:
    struct FreeSamples {
        void operator()(short* samples) const;
    };
    HWAVEOUT device_ = nullptr;
    WAVEHDR header_{};
    std::unique_ptr<short, FreeSamples> samples_;  // the decoded track, played from here
    int volumePercent_ = 100;
};

}  // namespace tarnel::platform
