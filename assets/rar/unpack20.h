// RAR 2.0 decompression: LZ77 with Huffman-coded literals, lengths and distances, and the
// multimedia mode that codes bytes as deltas from adaptive per-channel predictors. The state
// (window, tables, predictors) carries over to the next member of a solid archive.
#pragma once

#include "assets/rar/bit_reader.h"
#include "assets/rar/huffman.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::rar {

class Unpack20 {
public:
    // Decodes exactly outSize bytes. solid: continue from the previous member's state.
    bool unpack(const std::uint8_t* packed, std::size_t packedSize, std::uint8_t* out,
                std::size_t outSize, bool solid, std::string* error);

private:
    static constexpr std::size_t kMainCodes = 298;      // literals, repeats, lengths, table switch
    static constexpr std::size_t kDistanceCodes = 48;
    static constexpr std::size_t kRepeatCodes = 28;
    static constexpr std::size_t kAudioCodes = 257;     // byte deltas and the table switch
    static constexpr std::size_t kLengthCodes = 19;
    static constexpr std::size_t kMaxChannels = 4;
    static constexpr std::size_t kWindowSize = 1u << 20;  // bytes, the largest dictionary

    struct Predictor {
        int k[5] = {};           // weights of the last deltas and of the other channel
        int delta[4] = {};       // the last deltas, newest first
        int lastDelta = 0;
        unsigned error[11] = {};  // summed errors of each weight nudge
        unsigned count = 0;
        int lastByte = 0;
    };

    void resetState();
    bool readTables(BitReader& bits);
    bool decodeBlock(BitReader& bits, std::uint8_t* out, std::size_t outSize, std::string& error);
    void readTrailingTables(BitReader& bits);
    std::uint8_t decodeAudio(int delta);
    bool copyMatch(std::size_t length, std::size_t distance, std::uint8_t* out, std::size_t outSize);
    void put(std::uint8_t byte, std::uint8_t* out) {
        window_[windowPos_] = byte;
        windowPos_ = (windowPos_ + 1) & (kWindowSize - 1);
        out[produced_++] = byte;
        ++written_;
    }

    std::vector<std::uint8_t> window_;
    std::size_t windowPos_ = 0;
    std::uint64_t written_ = 0;      // bytes put into the window since the last reset
    std::size_t produced_ = 0;       // bytes of the current member
    bool tablesRead_ = false;

    std::uint8_t oldLengths_[kAudioCodes * kMaxChannels] = {};
    HuffmanTable lengthTable_, mainTable_, distanceTable_, repeatTable_;
    HuffmanTable audioTables_[kMaxChannels];
    std::size_t oldDistances_[4] = {};
    unsigned oldDistancePos_ = 0;
    std::size_t lastDistance_ = 0, lastLength_ = 0;

    bool audioMode_ = false;
    unsigned channels_ = 1, channel_ = 0;
    int channelDelta_ = 0;
    Predictor predictors_[kMaxChannels];
};

}  // namespace tarnel::rar
