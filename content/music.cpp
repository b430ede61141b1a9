// Synthesis of the ambient loop. Every voice is an event inside one loop period and every
// effect is linear, so rendering one period plus its ringing tail and folding the tail onto
// the start gives exactly what an endless repetition would sound like.
#include "content/music.h"

#include <algorithm>
#include <cmath>

#include "content/noise.h"

namespace content {

namespace {

const double kTwoPi = 6.283185307179586;

double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// One cycle of a mellow, slightly hollow wave: falling harmonics, odd ones a little louder.
class Wavetable {
public:
    Wavetable() : table_(kSize + 1) {
        for (int i = 0; i <= kSize; ++i) {
            double ph = kTwoPi * i / kSize, v = 0;
            for (int h = 1; h <= 9; ++h) v += std::sin(ph * h) / std::pow(h, 1.7) * (h % 2 ? 1.0 : 0.6);
            table_[size_t(i)] = float(v * 0.7);
        }
    }
    float at(double phase) const {  // phase in cycles, 0..1
        double x = phase * kSize;
        int i = int(x);
        float f = float(x - i);
        return table_[size_t(i)] + (table_[size_t(i) + 1] - table_[size_t(i)]) * f;
    }

private:
    static constexpr int kSize = 4096;
    std::vector<float> table_;
};

// Raised-cosine attack, flat hold, raised-cosine release; zero outside.
float envelope(double t, double attack, double hold, double release) {
    if (t <= 0) return 0;
    if (t < attack) return float(0.5 - 0.5 * std::cos(kTwoPi * 0.5 * t / attack));
    t -= attack;
    if (t < hold) return 1;
    t -= hold;
    if (t < release) return float(0.5 + 0.5 * std::cos(kTwoPi * 0.5 * t / release));
    return 0;
}

struct Chord {
    int bass;
    int pad[5];
};

// D major, slow: Dmaj9, Bm11, Gmaj7#11, Asus2, Em9, F#m7, Gmaj9, A6sus.
const Chord kChords[8] = {
    {38, {50, 57, 61, 64, 66}}, {35, {54, 57, 59, 62, 64}}, {43, {55, 59, 62, 66, 69}},
    {45, {52, 57, 59, 64, 69}}, {40, {55, 59, 62, 64, 66}}, {42, {54, 57, 61, 64, 69}},
    {43, {54, 57, 59, 62, 67}}, {45, {52, 57, 59, 62, 66}},
};
const int kPentatonic[5] = {2, 4, 6, 9, 11};  // D E F# A B as pitch classes

void addPad(StereoBuffer& out, const Wavetable& wave, double start, double length, int note, int voice) {
    const double detune[3] = {-0.07, 0.0, 0.065};  // semitones
    const float pan[3] = {0.25f, 0.5f, 0.75f};
    double attack = 3.5, release = 6.5;
    size_t first = size_t(start * kMusicRate);
    size_t count = size_t((attack + length + release) * kMusicRate);
    double step[3], phase[3];
    float l[3], r[3];
    for (int o = 0; o < 3; ++o) {
        step[o] = midiToHz(note + detune[o]) / kMusicRate;
        phase[o] = std::fmod(0.37 * voice + 0.21 * o, 1.0);
        l[o] = 0.055f * std::sqrt(1 - pan[o]);
        r[o] = 0.055f * std::sqrt(pan[o]);
    }
    float e = 0;
    for (size_t i = 0; i < count && first + i < out.frames(); ++i) {
        if (i % 32 == 0) {  // the envelope and swell move slowly: update them at a control rate
            double t = double(i) / kMusicRate;
            e = envelope(t, attack, length, release);
            // A slow swell per voice keeps the chord breathing.
            e *= float(0.8 + 0.2 * std::sin(kTwoPi * t / (7.0 + voice) + voice));
        }
        for (int o = 0; o < 3; ++o) {
            float v = wave.at(phase[o]) * e;
            out.left[first + i] += v * l[o];
            out.right[first + i] += v * r[o];
            phase[o] += step[o];
            if (phase[o] >= 1) phase[o] -= 1;
        }
    }
}

void addBass(StereoBuffer& out, double start, double length, int note) {
    double hz = midiToHz(note);
    size_t first = size_t(start * kMusicRate), count = size_t((2.5 + length + 5) * kMusicRate);
    for (size_t i = 0; i < count && first + i < out.frames(); ++i) {
        double t = double(i) / kMusicRate;
        float e = envelope(t, 2.5, length, 5);
        float v = float(std::sin(kTwoPi * hz * t) + 0.25 * std::sin(kTwoPi * 2 * hz * t)) * e * 0.09f;
        out.left[first + i] += v;
        out.right[first + i] += v;
    }
}

// A glassy chime: a sine with two inharmonic partials that die away faster.
void addChime(StereoBuffer& out, double start, int note, float pan, float level) {
    double hz = midiToHz(note);
    size_t first = size_t(start * kMusicRate), count = size_t(7.0 * kMusicRate);
    float l = level * std::sqrt(1 - pan), r = level * std::sqrt(pan);
    for (size_t i = 0; i < count && first + i < out.frames(); ++i) {
        double t = double(i) / kMusicRate;
        double attack = std::min(1.0, t / 0.012);
        double v = std::sin(kTwoPi * hz * t) * std::exp(-t * 0.9) +
                   0.25 * std::sin(kTwoPi * hz * 2.76 * t) * std::exp(-t * 2.2) +
                   0.08 * std::sin(kTwoPi * hz * 5.4 * t) * std::exp(-t * 4.5);
        float s = float(v * attack);
        out.left[first + i] += s * l;
        out.right[first + i] += s * r;
    }
}

// Wind: white noise through a band-pass whose centre rises and falls over the swell.
void addSwell(StereoBuffer& out, double start, double length, uint64_t seed) {
    Random rnd(seed);
    size_t first = size_t(start * kMusicRate), count = size_t(length * kMusicRate);
    float lowL = 0, bandL = 0, lowR = 0, bandR = 0;
    for (size_t i = 0; i < count && first + i < out.frames(); ++i) {
        double u = double(i) / count;
        float e = float(std::pow(std::sin(kTwoPi * 0.5 * u), 2.0));
        float f = float(2 * std::sin(kTwoPi * 0.5 * (250 + 1100 * e) / kMusicRate));
        const float q = 0.35f;
        float nl = rnd.range(-1, 1), nr = rnd.range(-1, 1);
        lowL += f * bandL;
        bandL += f * (nl - lowL - q * bandL);
        lowR += f * bandR;
        bandR += f * (nr - lowR - q * bandR);
        out.left[first + i] += bandL * e * 0.05f;
        out.right[first + i] += bandR * e * 0.05f;
    }
}

// A plain comb-and-allpass hall per channel; long combs for a slow, soft tail.
class Reverb {
public:
    explicit Reverb(int spread) {
        const int combs[4] = {2557, 2719, 2903, 3079}, passes[2] = {556, 441};
        for (int c : combs) combs_.push_back({std::vector<float>(size_t(c + spread)), 0, 0});
        for (int a : passes) passes_.push_back({std::vector<float>(size_t(a + spread / 2)), 0, 0});
    }
    float process(float in) {
        float sum = 0;
        for (Line& c : combs_) {
            float y = c.buffer[c.pos];
            c.state = y * 0.72f + c.state * 0.28f;  // damping of the highs
            c.buffer[c.pos] = in + c.state * 0.9f;
            c.pos = (c.pos + 1) % c.buffer.size();
            sum += y;
        }
        float v = sum * 0.25f;
        for (Line& a : passes_) {
            float b = a.buffer[a.pos];
            float y = -v + b;
            a.buffer[a.pos] = v + b * 0.5f;
            a.pos = (a.pos + 1) % a.buffer.size();
            v = y;
        }
        return v;
    }

private:
    struct Line {
        std::vector<float> buffer;
        size_t pos;
        float state;
    };
    std::vector<Line> combs_, passes_;
};

}  // namespace

StereoBuffer synthesizeMusic(double loopSeconds) {
    const double tail = 16;
    size_t loopFrames = size_t(loopSeconds * kMusicRate);
    size_t total = loopFrames + size_t(tail * kMusicRate);
    StereoBuffer dry{std::vector<float>(total), std::vector<float>(total)};
    Wavetable wave;
    double chordLength = loopSeconds / 8;
    for (int c = 0; c < 8; ++c) {
        double start = c * chordLength;
        for (int v = 0; v < 5; ++v) addPad(dry, wave, start + 0.35 * v, chordLength - 2.5, kChords[c].pad[v], v);
        addBass(dry, start, chordLength - 3.5, kChords[c].bass);
    }
    Random rnd(907);
    for (double t = 1.5; t < loopSeconds - 0.5; t += rnd.range(2.2f, 4.6f)) {
        int octave = rnd.uniform() < 0.6f ? 72 : 84;
        int note = octave + kPentatonic[int(rnd.uniform() * 5) % 5];
        addChime(dry, t, note, rnd.range(0.15f, 0.85f), rnd.range(0.025f, 0.05f));
    }
    for (int s = 0; s < 4; ++s) addSwell(dry, s * loopSeconds / 4 + 4, 14, 911 + uint64_t(s));

    StereoBuffer mix{std::vector<float>(total), std::vector<float>(total)};
    Reverb left(0), right(23);
    for (size_t i = 0; i < total; ++i) {
        mix.left[i] = dry.left[i] * 0.8f + left.process(dry.left[i] + dry.right[i] * 0.3f) * 0.45f;
        mix.right[i] = dry.right[i] * 0.8f + right.process(dry.right[i] + dry.left[i] * 0.3f) * 0.45f;
    }
    // Fold the ringing past the loop's end onto its start.
    StereoBuffer loop{std::vector<float>(mix.left.begin(), mix.left.begin() + long(loopFrames)),
                      std::vector<float>(mix.right.begin(), mix.right.begin() + long(loopFrames))};
    for (size_t i = loopFrames; i < total; ++i) {
        loop.left[i - loopFrames] += mix.left[i];
        loop.right[i - loopFrames] += mix.right[i];
    }
    float peak = 1e-6f;
    for (size_t i = 0; i < loopFrames; ++i)
        peak = std::max({peak, std::fabs(loop.left[i]), std::fabs(loop.right[i])});
    float gain = 0.7f / peak;
    for (size_t i = 0; i < loopFrames; ++i) {
        loop.left[i] *= gain;
        loop.right[i] *= gain;
    }
    return loop;
}

}  // namespace content
