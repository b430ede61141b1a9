// The decoding steps of the 1.5 format. A flag byte, itself drawn from an adaptive list,
// says for the next steps whether a literal, a short match or a long match follows; which
// of literal and long match the flags call first depends on which has been more frequent.
// After a long stretch of literals the stream switches to literal mode, where literals
// follow without flags and an escape place codes a small match or the way back.
#include "assets/rar/unpack15_decoder.h"

#include "assets/rar/unpack15_codes.h"

#include <utility>

namespace tarnel::rar {

namespace {

constexpr unsigned kLiteralCountLimit = 0xa1;  // literal counts flatten early to adapt fast
constexpr unsigned kByteCountLimit = 0xff;

// Short-match words: the first byte of the stream compared, under a mask of the word's
// length, to each pattern in turn. Word 1 of the first set and word 3 of the second are one
// bit longer while shortCodeVariant is set, which frees word 14 (a far match).
struct ShortWord {
    std::uint8_t bits;
    std::uint8_t pattern;
};
constexpr ShortWord kShortWordsFew[15] = {
    {1, 0x00}, {3, 0xa0}, {4, 0xd0}, {4, 0xe0}, {5, 0xf0}, {6, 0xf8}, {7, 0xfc}, {8, 0xfe},
    {8, 0xff}, {4, 0xc0}, {4, 0x80}, {5, 0x90}, {6, 0x98}, {6, 0x9c}, {4, 0xb0}};
constexpr ShortWord kShortWordsMany[15] = {
    {2, 0x00}, {3, 0x40}, {3, 0x60}, {3, 0xa0}, {4, 0xd0}, {4, 0xe0}, {5, 0xf0}, {6, 0xf8},
    {6, 0xfc}, {4, 0xc0}, {4, 0x80}, {5, 0x90}, {6, 0x98}, {6, 0x9c}, {4, 0xb0}};

constexpr unsigned kRepeatLastWord = 9;
constexpr unsigned kFarMatchWord = 14;

unsigned literalCodeIndex(unsigned average) {
    if (average > 0x75ff) return 4;
    if (average > 0x5dff) return 3;
    if (average > 0x35ff) return 2;
    if (average > 0x0dff) return 1;
    return 0;
}

unsigned longPlaceCodeIndex(unsigned average) {
    if (average > 0x28ff) return 2;
    if (average > 0x06ff) return 1;
    return 0;
}

}  // namespace

bool Unpack15Decoder::run(std::string* error) {
    auto fail = [&](const char* reason) {
        if (error) *error = reason;
        return false;
    };
    if (outSize_ == 0) return true;
    if (!readFlagByte()) return fail("damaged flag code in 1.5 packed data");
    model_.flagsLeft = 8;
    // Every step consumes at least one bit, so the overrun test bounds the loop.
    while (produced_ < outSize_) {
        if (bits_.overrun()) return fail("1.5 packed data ends early");
        if (model_.literalMode) {
            decodeLiteral();
            continue;
        }
        const bool longBeforeLiteral = model_.matchWeight > model_.literalWeight;
        if (nextFlag())
            longBeforeLiteral ? decodeLongMatch() : decodeLiteral();
        else if (nextFlag())
            longBeforeLiteral ? decodeLiteral() : decodeLongMatch();
        else
            decodeShortMatch();
        if (damaged_) return fail("damaged flag code in 1.5 packed data");
    }
    if (bits_.overrun()) return fail("1.5 packed data ends early");
    return true;
}

bool Unpack15Decoder::readFlagByte() {
    const unsigned place = decodeUnpack15Code(kUnpack15PlaceCode[2], bits_);
    // The code reaches 256, one past the list: no encoder writes it.
    if (place > 0xff) return false;
    model_.flagBits = model_.flagBytes.use(place, kByteCountLimit);
    return true;
}

bool Unpack15Decoder::nextFlag() {
    if (--model_.flagsLeft < 0) {
        if (!readFlagByte()) damaged_ = true;
        model_.flagsLeft = 7;
    }
    const bool flag = model_.flagBits & 0x80;
    model_.flagBits = (model_.flagBits << 1) & 0xff;
    return flag;
}

void Unpack15Decoder::decodeLiteral() {
    Unpack15Model& m = model_;
    const std::uint32_t next = bits_.peek16();
    unsigned place = decodeUnpack15Code(kUnpack15PlaceCode[literalCodeIndex(m.literalAverage)], bits_) & 0xff;
    if (m.literalMode) {
        // Literal mode shifts every place up by one to free place 0 (the all-zero word)
        // for the escape. The all-ones word codes 256, masked to 0 above: that is 255.
        if (place == 0 && next > 0xfff) place = 0x100;
        if (place == 0) {
            const std::uint32_t escape = bits_.peek16();
            bits_.skip(1);
            if (escape & 0x8000) {
                m.literalRun = 0;
                m.literalMode = false;
                return;
            }
            bits_.skip(1);
            const std::uint32_t length = (escape & 0x4000) ? 4 : 3;
            const std::uint32_t high = decodeUnpack15Code(kUnpack15PlaceCode[2], bits_);
            const std::uint32_t distance = high << 5 | bits_.peek16() >> 11;
            bits_.skip(5);
            copyMatch(distance, length);
            return;
        }
        --place;
    } else if (m.literalRun++ >= 16 && m.flagsLeft == 0) {
        m.literalMode = true;
    }
    m.literalAverage += place;
    m.literalAverage -= m.literalAverage >> 8;
    m.literalWeight += 16;
    if (m.literalWeight > 0xff) {
        m.literalWeight = 0x90;
        m.matchWeight >>= 1;
    }
    put(m.literals.use(place, kLiteralCountLimit));
}

void Unpack15Decoder::decodeShortMatch() {
    Unpack15Model& m = model_;
    m.literalRun = 0;
    std::uint32_t next = bits_.peek16();
    if (m.repeatCount == 2) {
        // After two repeats in a row one bit says whether a third follows.
        bits_.skip(1);
        if (next >= 0x8000) {
            copyMatch(m.lastDistance, m.lastLength);
            return;
        }
        next <<= 1;
        m.repeatCount = 0;
    }
    next = (next >> 8) & 0xff;

    const bool few = m.shortLengthAverage < 37;
    const ShortWord* words = few ? kShortWordsFew : kShortWordsMany;
    const unsigned variableWord = few ? 1 : 3;
    unsigned word = 0;
    unsigned wordBits = 0;
    for (; word < 15; ++word) {
        wordBits = word == variableWord ? m.shortCodeVariant + 3 : words[word].bits;
        if (((next ^ words[word].pattern) & ~(0xffu >> wordBits) & 0xff) == 0) break;
    }
    // Both word sets are complete, so some word always matches.
    bits_.skip(wordBits);

    if (word == kRepeatLastWord) {
        ++m.repeatCount;
        copyMatch(m.lastDistance, m.lastLength);
        return;
    }
    m.repeatCount = 0;
    if (word == kFarMatchWord) {
        const std::uint32_t length = decodeUnpack15Code(kUnpack15LongLengthCode, bits_) + 5;
        const std::uint32_t distance = (bits_.peek16() >> 1) | 0x8000;
        bits_.skip(15);
        m.lastLength = length;
        m.lastDistance = distance;
        copyMatch(distance, length);
        return;
    }
    if (word > kRepeatLastWord) {
        // Words 10..13 reuse one of the last four distances, newest first.
        const std::uint32_t distance = m.oldDistances[(m.oldDistanceNext - (word - kRepeatLastWord)) & 3];
        std::uint32_t length = decodeUnpack15Code(kUnpack15LengthCode, bits_) + 2;
        if (length == 0x101 && word == 10) {
            m.shortCodeVariant ^= 1;
            return;
        }
        if (distance > 256) ++length;
        if (distance >= m.farDistance) ++length;
        rememberMatch(distance, length);
        copyMatch(distance, length);
        return;
    }

    m.shortLengthAverage += word;
    m.shortLengthAverage -= m.shortLengthAverage >> 4;
    const unsigned place = decodeUnpack15Code(kUnpack15PlaceCode[2], bits_) & 0xff;
    const std::uint32_t distance = m.shortDistances[place] + 1u;
    if (place > 0) std::swap(m.shortDistances[place], m.shortDistances[place - 1]);
    rememberMatch(distance, word + 2);
    copyMatch(distance, word + 2);
}

void Unpack15Decoder::decodeLongMatch() {
    Unpack15Model& m = model_;
    m.literalRun = 0;
    m.matchWeight += 16;
    if (m.matchWeight > 0xff) {
        m.matchWeight = 0x90;
        m.literalWeight >>= 1;
    }
    const unsigned lengthAverageBefore = m.longLengthAverage;

    std::uint32_t length;
    const std::uint32_t next = bits_.peek16();
    if (m.longLengthAverage >= 122) {
        length = decodeUnpack15Code(kUnpack15LongLengthCode, bits_);
    } else if (m.longLengthAverage >= 64) {
        length = decodeUnpack15Code(kUnpack15LengthCode, bits_);
    } else if (next < 0x100) {
        length = next;
        bits_.skip(16);
    } else {
        // Unary: the count of zero bits before the first one.
        length = 0;
        while (((next << length) & 0x8000) == 0) ++length;
        bits_.skip(length + 1);
    }
    m.longLengthAverage += length;
    m.longLengthAverage -= m.longLengthAverage >> 5;

    const unsigned place = decodeUnpack15Code(kUnpack15PlaceCode[longPlaceCodeIndex(m.longPlaceAverage)], bits_);
    m.longPlaceAverage += place;
    m.longPlaceAverage -= m.longPlaceAverage >> 8;
    const std::uint32_t high = m.longPlaces.use(place, kByteCountLimit);
    const std::uint32_t distance = ((high << 8) | (bits_.peek16() >> 8)) >> 1;
    bits_.skip(7);

    const unsigned runAverageBefore = m.runAverage;
    if (length != 1 && length != 4) {
        if (length == 0 && distance <= m.farDistance) {
            ++m.runAverage;
            m.runAverage -= m.runAverage >> 8;
        } else if (m.runAverage > 0) {
            --m.runAverage;
        }
    }
    length += 3;
    if (distance >= m.farDistance) ++length;
    if (distance <= 256) length += 8;
    const bool farRuns = runAverageBefore > 0xb0 || (m.literalAverage >= 0x2a00 && lengthAverageBefore < 0x40);
    m.farDistance = farRuns ? 0x7f00 : 0x2001;
    rememberMatch(distance, length);
    copyMatch(distance, length);
}

void Unpack15Decoder::rememberMatch(std::uint32_t distance, std::uint32_t length) {
    model_.oldDistances[model_.oldDistanceNext] = distance;
    model_.oldDistanceNext = (model_.oldDistanceNext + 1) & 3;
    model_.lastDistance = distance;
    model_.lastLength = length;
}

void Unpack15Decoder::copyMatch(std::uint32_t distance, std::uint32_t length) {
    const std::uint32_t mask = kUnpack15WindowSize - 1;
    for (; length > 0; --length) put(window_[(windowPos_ - distance) & mask]);
}

void Unpack15Decoder::put(std::uint8_t byte) {
    window_[windowPos_] = byte;
    windowPos_ = (windowPos_ + 1) & (kUnpack15WindowSize - 1);
    if (produced_ < outSize_) out_[produced_] = byte;
    ++produced_;
}

}  // namespace tarnel::rar
