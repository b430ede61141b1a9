// RAR 2.0 decoder. Code tables are sent as 4-bit lengths, each added (mod 16) to the length
// the same symbol had in the previous table unless the block asks for a fresh start; the
// lengths themselves are coded with a small prefix code that has run-length symbols.
#include "assets/rar/unpack20.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace tarnel::rar {

namespace {

template <std::size_t N>
constexpr std::array<std::uint32_t, N> basesOf(const std::array<std::uint8_t, N>& extraBits) {
    std::array<std::uint32_t, N> bases{};
    for (std::size_t i = 1; i < N; ++i) bases[i] = bases[i - 1] + (1u << extraBits[i - 1]);
    return bases;
}

// Match lengths: a base from the code plus that many extra bits.
constexpr std::array<std::uint8_t, 28> kLengthBits = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2,
                                                      2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5};
constexpr auto kLengthBase = basesOf(kLengthBits);
// Distances of ordinary matches.
constexpr std::array<std::uint8_t, 48> kDistanceBits = {
    0,  0,  0,  0,  1,  1,  2,  2,  3,  3,  4,  4,  5,  5,  6,  6,  7,  7,  8,  8,  9,  9,  10, 10,
    11, 11, 12, 12, 13, 13, 14, 14, 15, 15, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16};
constexpr auto kDistanceBase = basesOf(kDistanceBits);
// Distances of the two-byte matches (codes 261..268).
constexpr std::array<std::uint8_t, 8> kShortBits = {2, 2, 3, 4, 5, 6, 6, 6};
constexpr auto kShortBase = basesOf(kShortBits);

constexpr int kRepeatLast = 256;   // the last match again
constexpr int kFirstOldDistance = 257;
constexpr int kFirstShortMatch = 261;
constexpr int kNewTables = 269;
constexpr int kFirstMatch = 270;
constexpr int kAudioNewTables = 256;

}  // namespace

void Unpack20::resetState() {
    windowPos_ = 0;
    written_ = 0;
    tablesRead_ = false;
    std::memset(oldLengths_, 0, sizeof oldLengths_);
    std::fill(std::begin(oldDistances_), std::end(oldDistances_), 0);
    oldDistancePos_ = 0;
    lastDistance_ = lastLength_ = 0;
    audioMode_ = false;
    channels_ = 1;
    channel_ = 0;
    channelDelta_ = 0;
    for (Predictor& predictor : predictors_) predictor = Predictor{};
}

bool Unpack20::readTables(BitReader& bits) {
    const std::uint32_t head = bits.read(2);
    const bool audio = (head & 2) != 0;
    std::uint8_t previous[sizeof oldLengths_];
    if (head & 1) std::memcpy(previous, oldLengths_, sizeof previous);
    else std::memset(previous, 0, sizeof previous);
    unsigned channels = channels_;
    std::size_t tableSize = kMainCodes + kDistanceCodes + kRepeatCodes;
    if (audio) {
        channels = bits.read(2) + 1;
        tableSize = kAudioCodes * channels;
    }
    std::uint8_t lengthLengths[kLengthCodes];
    for (auto& length : lengthLengths) length = static_cast<std::uint8_t>(bits.read(4));
    if (!lengthTable_.build(lengthLengths, kLengthCodes)) return false;

    std::uint8_t lengths[sizeof oldLengths_];
    for (std::size_t i = 0; i < tableSize;) {
        const int symbol = lengthTable_.decode(bits);
        if (symbol < 0 || bits.overrun()) return false;
        if (symbol < 16) {
            lengths[i] = static_cast<std::uint8_t>((symbol + previous[i]) & 15);
            ++i;
            continue;
        }
        std::size_t run;
        std::uint8_t value = 0;
        if (symbol == 16) {
            if (i == 0) return false;  // nothing to repeat
            run = bits.read(2) + 3;
            value = lengths[i - 1];
        } else if (symbol == 17) {
            run = bits.read(3) + 3;
        } else {
            run = bits.read(7) + 11;
        }
        for (; run > 0 && i < tableSize; --run) lengths[i++] = value;
    }
    if (bits.overrun()) return false;
    if (audio) {
        for (unsigned c = 0; c < channels; ++c)
            if (!audioTables_[c].build(lengths + c * kAudioCodes, kAudioCodes)) return false;
    } else if (!mainTable_.build(lengths, kMainCodes) ||
               !distanceTable_.build(lengths + kMainCodes, kDistanceCodes) ||
               !repeatTable_.build(lengths + kMainCodes + kDistanceCodes, kRepeatCodes)) {
        return false;
    }
    // Only a complete table changes the state, so a failed read leaves the last good one.
    audioMode_ = audio;
    channels_ = channels;
    if (channel_ >= channels_) channel_ = 0;
    std::memcpy(oldLengths_, previous, sizeof oldLengths_);
    std::memcpy(oldLengths_, lengths, tableSize);
    tablesRead_ = true;
    return true;
}

std::uint8_t Unpack20::decodeAudio(int delta) {
    Predictor& p = predictors_[channel_];
    ++p.count;
    p.delta[3] = p.delta[2];
    p.delta[2] = p.delta[1];
    p.delta[1] = p.lastDelta - p.delta[0];
    p.delta[0] = p.lastDelta;
    const int predicted = 8 * p.lastByte + p.k[0] * p.delta[0] + p.k[1] * p.delta[1] +
                          p.k[2] * p.delta[2] + p.k[3] * p.delta[3] + p.k[4] * channelDelta_;
    const std::uint8_t byte = static_cast<std::uint8_t>(((predicted >> 3) & 0xFF) - delta);
    // Score how each weight nudge would have done on this sample; every 32 samples the best
    // nudge is applied.
    const int d = static_cast<int>(static_cast<std::int8_t>(delta)) * 8;
    const int others[5] = {p.delta[0], p.delta[1], p.delta[2], p.delta[3], channelDelta_};
    p.error[0] += static_cast<unsigned>(std::abs(d));
    for (int i = 0; i < 5; ++i) {
        p.error[1 + 2 * i] += static_cast<unsigned>(std::abs(d - others[i]));
        p.error[2 + 2 * i] += static_cast<unsigned>(std::abs(d + others[i]));
    }
    channelDelta_ = p.lastDelta = static_cast<std::int8_t>(byte - p.lastByte);
    p.lastByte = byte;
    if ((p.count & 0x1F) == 0) {
        unsigned best = 0;
        unsigned bestError = p.error[0];
        p.error[0] = 0;
        for (unsigned i = 1; i < 11; ++i) {
            if (p.error[i] < bestError) {
                bestError = p.error[i];
                best = i;
            }
            p.error[i] = 0;
        }
        if (best != 0) {
            int& k = p.k[(best - 1) / 2];
            if (best & 1) {
                if (k >= -16) --k;
            } else if (k < 16) {
                ++k;
            }
        }
    }
    return byte;
}

bool Unpack20::copyMatch(std::size_t length, std::size_t distance, std::uint8_t* out, std::size_t outSize) {
    if (distance == 0 || distance > written_ || distance > kWindowSize) return false;
    oldDistances_[oldDistancePos_++ & 3] = distance;
    lastDistance_ = distance;
    lastLength_ = length;
    length = std::min(length, outSize - produced_);
    std::size_t from = (windowPos_ - distance) & (kWindowSize - 1);
    if (from + length <= kWindowSize && windowPos_ + length <= kWindowSize) {
        std::uint8_t* window = window_.data();
        std::uint8_t* dest = out + produced_;
        for (std::size_t i = 0; i < length; ++i) dest[i] = window[windowPos_ + i] = window[from + i];
        windowPos_ = (windowPos_ + length) & (kWindowSize - 1);
        produced_ += length;
        written_ += length;
        return true;
    }
    for (; length > 0; --length) {
        put(window_[from], out);
        from = (from + 1) & (kWindowSize - 1);
    }
    return true;
}

bool Unpack20::decodeBlock(BitReader& bits, std::uint8_t* out, std::size_t outSize, std::string& error) {
    while (produced_ < outSize) {
        if (bits.overrun()) {
            error = "compressed data ends early";
            return false;
        }
        if (audioMode_) {
            const int symbol = audioTables_[channel_].decode(bits);
            if (symbol < 0) break;
            if (symbol == kAudioNewTables) {
                if (!readTables(bits)) break;
                continue;
            }
            put(decodeAudio(symbol), out);
            if (++channel_ == channels_) channel_ = 0;
            continue;
        }
        const int symbol = mainTable_.decode(bits);
        if (symbol < 0) break;
        if (symbol < 256) {
            put(static_cast<std::uint8_t>(symbol), out);
            continue;
        }
        std::size_t length, distance;
        if (symbol >= kFirstMatch) {
            const int code = symbol - kFirstMatch;
            length = kLengthBase[code] + 3 + bits.read(kLengthBits[code]);
            const int distanceCode = distanceTable_.decode(bits);
            if (distanceCode < 0) break;
            distance = kDistanceBase[distanceCode] + 1 + bits.read(kDistanceBits[distanceCode]);
            if (distance >= 0x2000) length += distance >= 0x40000 ? 2 : 1;
        } else if (symbol == kNewTables) {
            if (!readTables(bits)) break;
            continue;
        } else if (symbol == kRepeatLast) {
            length = lastLength_;
            distance = lastDistance_;
        } else if (symbol < kFirstShortMatch) {
            distance = oldDistances_[(oldDistancePos_ - static_cast<unsigned>(symbol - kFirstOldDistance + 1)) & 3];
            const int code = repeatTable_.decode(bits);
            if (code < 0) break;
            length = kLengthBase[code] + 2 + bits.read(kLengthBits[code]);
            if (distance >= 0x101) length += distance >= 0x40000 ? 3 : distance >= 0x2000 ? 2 : 1;
        } else {
            const int code = symbol - kFirstShortMatch;
            length = 2;
            distance = kShortBase[code] + 1 + bits.read(kShortBits[code]);
        }
        if (!copyMatch(length, distance, out, outSize)) {
            error = "damaged compressed data: a match reaches before the start of the data";
            return false;
        }
    }
    if (produced_ < outSize) {
        error = bits.overrun() ? "compressed data ends early" : "damaged compressed data: invalid code";
        return false;
    }
    if (bits.overrun()) {
        error = "compressed data ends early";
        return false;
    }
    return true;
}

void Unpack20::readTrailingTables(BitReader& bits) {
    // A member may end with the tables the next member of a solid archive starts with.
    if (bits.bytesLeft() < 5) return;
    const int symbol = audioMode_ ? audioTables_[channel_].decode(bits) : mainTable_.decode(bits);
    if (symbol == (audioMode_ ? kAudioNewTables : kNewTables)) readTables(bits);
}

bool Unpack20::unpack(const std::uint8_t* packed, std::size_t packedSize, std::uint8_t* out,
                      std::size_t outSize, bool solid, std::string* error) {
    if (window_.empty()) window_.assign(kWindowSize, 0);
    if (!solid) resetState();
    BitReader bits(packed, packedSize);
    produced_ = 0;
    std::string reason;
    bool ok = true;
    if (!tablesRead_ && !readTables(bits)) {
        reason = "damaged compressed data: bad code tables";
        ok = false;
    }
    if (ok) ok = decodeBlock(bits, out, outSize, reason);
    if (ok) {
        readTrailingTables(bits);
    } else {
        tablesRead_ = false;
        if (error) *error = reason;
    }
    return ok;
}

}  // namespace tarnel::rar
