// The value scanner behind every script reader. It walks the format and the line side by
// side, so what a line yields depends only on the rules in line_scan.h, never on the C
// library's locale or on which of its scanf quirks a platform has.
#include "script/line_scan.h"

#include <charconv>
#include <cfloat>
#include <climits>
#include <cstring>

namespace tarnel {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

const char* skipSpace(const char* p) {
    while (isSpace(*p)) ++p;
    return p;
}

// The extent of a decimal number at text: sign, digits, fraction and exponent. An exponent
// marker without digits ("2e", "2e+") is left unread, so "2e" reads as 2 and the scan goes
// on at the "e". Returns text when no number stands there.
struct NumberExtent {
    const char* end;
    bool negative;
    const char* digits;  // first character after the sign
    long exponent;       // written exponent, clamped to stay far from overflow
};

NumberExtent measureNumber(const char* text, bool allowFraction) {
    NumberExtent extent{text, false, text, 0};
    const char* p = text;
    if (*p == '+' || *p == '-') {
        extent.negative = *p == '-';
        ++p;
    }
    extent.digits = p;
    const char* mantissa = p;
    while (isDigit(*p)) ++p;
    bool anyDigit = p != mantissa;
    if (allowFraction && *p == '.') {
        const char* fraction = ++p;
        while (isDigit(*p)) ++p;
        anyDigit = anyDigit || p != fraction;
    }
    if (!anyDigit) return extent;
    extent.end = p;
    if (allowFraction && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (*q == '+' || *q == '-') {
            negativeExponent = *q == '-';
            ++q;
        }
        if (isDigit(*q)) {
            long exponent = 0;
            while (isDigit(*q)) {
                if (exponent < 100000) exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            extent.exponent = negativeExponent ? -exponent : exponent;
            extent.end = q;
        }
    }
    return extent;
}

// Decimal order of magnitude of the mantissa digits (position of the first non-zero digit
// relative to the point), used only to tell overflow from underflow.
long mantissaMagnitude(const NumberExtent& extent) {
    const char* p = extent.digits;
    long integerDigits = 0;
    while (isDigit(*p) && *p == '0') ++p;
    while (isDigit(*p)) {
        ++integerDigits;
        ++p;
    }
    if (integerDigits > 0) return integerDigits;
    long leadingZeros = 0;
    if (*p == '.') {
        ++p;
        while (*p == '0') {
            ++leadingZeros;
            ++p;
        }
    }
    return -leadingZeros;
}

// Reads a float at text into value; returns the end of the number, or null when no number
// stands there or it lies beyond the range of a float (too small a number reads as zero).
const char* readFloat(const char* text, float& value) {
    NumberExtent extent = measureNumber(text, true);
    if (extent.end == text) return nullptr;
    double magnitude = 0.0;
    std::from_chars_result result = std::from_chars(extent.digits, extent.end, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        if (mantissaMagnitude(extent) + extent.exponent > 0) return nullptr;
        magnitude = 0.0;
    } else if (result.ec != std::errc() || result.ptr != extent.end) {
        return nullptr;
    }
    if (magnitude > FLT_MAX) return nullptr;
    value = static_cast<float>(extent.negative ? -magnitude : magnitude);
    return extent.end;
}

// Reads a decimal integer at text into value; null when none stands there or it does not fit.
const char* readInt(const char* text, int& value) {
    NumberExtent extent = measureNumber(text, false);
    if (extent.end == text) return nullptr;
    long long magnitude = 0;
    for (const char* p = extent.digits; p != extent.end; ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) return nullptr;
    }
    long long signedValue = extent.negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX || signedValue < INT_MIN) return nullptr;
    value = static_cast<int>(signedValue);
    return extent.end;
}

// Reads one word at text into a buffer of capacity bytes, cutting it to fit and consuming
// the rest of it; null when the line has no word left.
const char* readWord(const char* text, char* word, std::size_t capacity) {
    const char* p = text;
    while (*p != '\0' && !isSpace(*p)) ++p;
    if (p == text || capacity == 0) return nullptr;
    std::size_t length = static_cast<std::size_t>(p - text);
    if (length > capacity - 1) length = capacity - 1;
    std::memcpy(word, text, length);
    word[length] = '\0';
    return p;
}

// Fills one conversion; returns where the line goes on, or null to stop the scan.
const char* convert(char conversion, const char* text, const ScanTarget& target) {
    text = skipSpace(text);
    switch (conversion) {
        case 'f':
            if (target.kind != ScanTarget::Kind::Float) return nullptr;
            return readFloat(text, *static_cast<float*>(target.address));
        case 'd':
            if (target.kind != ScanTarget::Kind::Int) return nullptr;
            return readInt(text, *static_cast<int*>(target.address));
        case 's':
            if (target.kind != ScanTarget::Kind::Word) return nullptr;
            return readWord(text, static_cast<char*>(target.address), target.capacity);
        default:
            return nullptr;
    }
}

}  // namespace

bool startsWithKeyword(const char* line, const char* keyword) {
    if (line == nullptr || keyword == nullptr) return false;
    return std::strncmp(line, keyword, std::strlen(keyword)) == 0;
}

int scanLine(const char* line, const char* format, std::initializer_list<ScanTarget> targets) {
    return scanLine(line, format, targets.begin(), targets.size());
}

int scanLine(const char* line, const char* format, const ScanTarget* targets, std::size_t count) {
    if (line == nullptr || format == nullptr) return 0;
    const ScanTarget* next = targets;
    const ScanTarget* const last = targets + count;
    int assigned = 0;
    const char* text = line;
    const char* f = format;
    while (*f != '\0') {
        if (isSpace(*f)) {
            while (isSpace(*f)) ++f;
            text = skipSpace(text);
            continue;
        }
        if (*f == '%' && f[1] != '%') {
            if (f[1] == '\0' || next == last) return assigned;
            text = convert(f[1], text, *next);
            if (text == nullptr) return assigned;
            ++next;
            ++assigned;
            f += 2;
            continue;
        }
        if (*f == '%') ++f;  // "%%" stands for one literal percent sign
        if (*text != *f) return assigned;
        ++text;
        ++f;
    }
    return assigned;
}

}  // namespace tarnel
