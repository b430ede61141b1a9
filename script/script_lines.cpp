// The shared line walk of the script readers.
#include "script/script_lines.h"

#include <string>

namespace tarnel {

bool ScriptLines::next() {
    if (!dataLeft) {
        buffer[0] = '\0';
        return false;
    }
    const std::uint32_t start = file.position;
    dataLeft = file.readLine(buffer, sizeof buffer) == 1;
    ++lineNumber;
    if (findingsWanted()) reportLongLine(start);
    return true;
}

// The line buffer holds 127 characters; the rest of a longer line is dropped unread.
void ScriptLines::reportLongLine(std::uint32_t start) const {
    std::size_t length = 0;
    for (std::uint32_t i = start; i < file.size && file.data[i] != '\n'; ++i) {
        const char c = static_cast<char>(file.data[i]);
        if (c == '\r' || (c == ' ' && length == 0)) continue;
        ++length;
    }
    if (length >= sizeof buffer) report("line longer than " + std::to_string(sizeof buffer - 1) + " characters");
}

bool ScriptLines::seekBlock(const char* opener, const char* terminator) {
    while (!startsWith(opener)) {
        if (!next() || startsWith(terminator)) return false;
    }
    return true;
}

bool ScriptLines::seekLine(const char* keyword) {
    while (!startsWith(keyword)) {
        if (!next()) return false;
    }
    return true;
}

bool ScriptLines::nextInBlock() { return !startsWith("end") && next(); }

}  // namespace tarnel
