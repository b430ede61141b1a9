// The value scanner every script reader uses: a format such as "position V(%f %f %f)"
// matched against one line, with sscanf-like rules pinned by our own tests rather than by
// whatever the C library does with a format.
//
// Rules: a space in the format matches any run of white space, including none; %f reads a
// decimal float (sign, fraction, exponent), %d a decimal integer, %s one word bounded by its
// destination; %f, %d and %s skip white space before the value; any other format character
// must match the line exactly. Scanning stops at the first mismatch; the values assigned
// before it are kept and counted.
//
// Numbers: only decimal ones scan ("inf", "nan" and hexadecimal do not); an exponent marker
// without digits ("2e") is left unread; a float beyond the range of a float, or an int beyond
// the range of an int, does not scan, while a float too small for one reads as zero.
#pragma once

#include <cstddef>
#include <initializer_list>

namespace tarnel {

// True when line begins with keyword: case-sensitive, no word boundary ("orient off" matches
// "orient offset").
bool startsWithKeyword(const char* line, const char* keyword);

// One destination of scanLine: a float, an int, or a word buffer with its capacity
// (a word longer than capacity - 1 characters is cut; the rest of the word is consumed).
class ScanTarget {
public:
    enum class Kind { Float, Int, Word };
    ScanTarget(float& value) : kind(Kind::Float), address(&value), capacity(0) {}
    ScanTarget(int& value) : kind(Kind::Int), address(&value), capacity(0) {}
    template <std::size_t N>
    ScanTarget(char (&word)[N]) : kind(Kind::Word), address(word), capacity(N) {}
    ScanTarget(char* word, std::size_t wordCapacity) : kind(Kind::Word), address(word), capacity(wordCapacity) {}

    Kind kind;
    void* address;
    std::size_t capacity;  // bytes, for Kind::Word
};

// Returns how many values were assigned. A conversion whose kind does not match its target
// (or a missing target) stops the scan.
int scanLine(const char* line, const char* format, std::initializer_list<ScanTarget> targets);
int scanLine(const char* line, const char* format, const ScanTarget* targets, std::size_t count);

template <class... Targets>
int scanValues(const char* line, const char* format, Targets&&... targets) {
    return scanLine(line, format, {ScanTarget(targets)...});
}

}  // namespace tarnel
