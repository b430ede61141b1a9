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

// The window number after /c or /p: the first run of digits after the letter, read as a
// signed 32-bit value that saturates instead of overflowing.
std::int32_t readWindowNumber(std::string_view line, std::size_t from) {
    while (from < line.size() && !isDigit(line[from])) ++from;
    std::int64_t value = 0;
    for (; from < line.size() && isDigit(line[from]); ++from) {
        value = value * 10 + (line[from] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

ParsedCommandLine parseCommandLine(std::string_view line) {
    ParsedCommandLine parsed;
    std::size_t position = line.find_first_of("/-", skipProgramPath(line));
    if (position == std::string_view::npos) return parsed;
    parsed.switchFound = true;
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
