// The shared line walk of the script readers.
#include "script/script_lines.h"

namespace tarnel {

bool ScriptLines::next() {
    if (!dataLeft) {
        buffer[0] = '\0';
        return false;
    }
    dataLeft = file.readLine(buffer, sizeof buffer) == 1;
    ++readCount;
    return true;
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
