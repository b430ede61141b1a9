// The switch grammar on one raw command line; nothing here fails, a line without a
// known switch falls back to the configuration dialog or the saver.
#include "host/command_line.h"

#include <cctype>
#include <limits>

namespace tarnel {

namespace {

std::size_t skipProgramPath(std::string_view line) {
    if (line.empty()) return 0;
    if (line[0] == '"') {
        std::size_t close = line.find('"', 1);
        return close == std::string_view::npos ? line.size() : close + 1;
    }
    std::size_t blank = line.find(' ');
    return blank == std::string_view::npos ? line.size() : blank + 1;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool isWordEnd(char c) { return c == ' ' || c == '\t' || c == '"'; }

int hexDigit(char c) {
    if (isDigit(c)) return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// "0x" and the hexadecimal digits after it, as xwininfo prints a window; a number wider than
// the 32 bits of a window handle saturates, so it names no window rather than another one.
std::int32_t readHexWindowNumber(std::string_view line, std::size_t from) {
    std::uint64_t value = 0;
    for (int digit; from < line.size() && (digit = hexDigit(line[from])) >= 0; ++from) {
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max()) return -1;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// The window number after /c or /p: the first run of digits after the letter, read as a
// signed 32-bit value that saturates instead of overflowing, or in hexadecimal after "0x".
std::int32_t readWindowNumber(std::string_view line, std::size_t from) {
    while (from < line.size() && !isDigit(line[from])) ++from;
    if (from + 2 < line.size() && line[from] == '0' && (line[from + 1] == 'x' || line[from + 1] == 'X') &&
        hexDigit(line[from + 2]) >= 0)
        return readHexWindowNumber(line, from + 2);
    std::int64_t value = 0;
    for (; from < line.size() && isDigit(line[from]); ++from) {
        value = value * 10 + (line[from] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

// A word that begins with "-" is a switch only as one of the four letters, alone or with
// the window number glued on (-s, -C1234, -p:0x2a). Any other such word (-h, -help, -x,
// --foo) is an option mistyped, not a request for the saver. A "/" switch and a "-" inside
// a word (an unquoted program path) keep the whole grammar.
bool isMistypedOption(std::string_view line, std::size_t switchAt, std::size_t scanStart) {
    if (line[switchAt] != '-') return false;
    if (switchAt != scanStart && !isWordEnd(line[switchAt - 1])) return false;
    std::size_t letterAt = switchAt + 1;
    if (letterAt >= line.size()) return true;
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(line[letterAt])));
    if (letter != 'c' && letter != 'p' && letter != 's' && letter != 't') return true;
    return letterAt + 1 < line.size() && isLetter(line[letterAt + 1]);
}

std::string_view wordAt(std::string_view line, std::size_t from) {
    std::size_t end = from;
    while (end < line.size() && !isWordEnd(line[end])) ++end;
    return line.substr(from, end - from);
}

}  // namespace

ParsedCommandLine parseCommandLine(std::string_view line) {
    ParsedCommandLine parsed;
    std::size_t scanStart = skipProgramPath(line);
    std::size_t position = line.find_first_of("/-", scanStart);
    if (position == std::string_view::npos) return parsed;
    parsed.switchFound = true;
    if (isMistypedOption(line, position, scanStart)) parsed.unknownOption = std::string(wordAt(line, position));
    std::size_t letterAt = position + 1;
    char letter = letterAt < line.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(line[letterAt]))) : '\0';
    switch (letter) {
    case 'c':
        parsed.mode = Configure;
        parsed.parentWindow = readWindowNumber(line, letterAt + 1);
        break;
    case 'p':
        parsed.mode = Preview;
        parsed.parentWindow = readWindowNumber(line, letterAt + 1);
        break;
    case 't':
        parsed.mode = Test;
        break;
    default:
        parsed.mode = Saver;
        break;
    }
    return parsed;
}

std::string buildCommandLine(const std::vector<std::string>& args) {
    std::string line;
    if (args.empty()) return line;
    line += '"';
    for (char c : args[0])
        if (c != '"') line += c;
    line += '"';
    for (std::size_t i = 1; i < args.size(); ++i) {
        line += ' ';
        bool quote = args[i].empty() || args[i].find(' ') != std::string::npos;
        if (quote) line += '"';
        line += args[i];
        if (quote) line += '"';
    }
    return line;
}

}  // namespace tarnel
