// Findings about single script lines. The checks scan the line a second time into scratch
// values, so they cost nothing in a saver that does not listen.
#include "script/reader_findings.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace tarnel {

namespace {

constexpr std::size_t kMaxValues = 16;

// The word at index, as start and length; length 0 when the line has fewer words.
std::pair<const char*, std::size_t> wordAt(const char* line, int index) {
    const char* p = line;
    for (int i = 0;; ++i) {
        while (*p == ' ' || *p == '\t') ++p;
        const char* start = p;
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
        if (i == index || p == start) return {start, static_cast<std::size_t>(p - start)};
    }
}

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// One edit (insert, delete, change, or swap of neighbours) turns a into b.
bool oneEditApart(const std::string& a, const std::string& b) {
    if (a == b) return false;
    const std::size_t m = a.size(), n = b.size();
    if (m == n) {
        std::vector<std::size_t> differ;
        for (std::size_t i = 0; i < m && differ.size() < 3; ++i)
            if (a[i] != b[i]) differ.push_back(i);
        if (differ.size() == 1) return true;
        return differ.size() == 2 && differ[1] == differ[0] + 1 && a[differ[0]] == b[differ[1]] &&
               a[differ[1]] == b[differ[0]];
    }
    if (m + 1 != n && n + 1 != m) return false;
    const std::string& shorter = m < n ? a : b;
    const std::string& longer = m < n ? b : a;
    std::size_t i = 0;
    while (i < shorter.size() && shorter[i] == longer[i]) ++i;
    return shorter.compare(i, std::string::npos, longer, i + 1, std::string::npos) == 0;
}

// How many of format's values the line gives, into scratch values; wanted gets how many the
// format asks for.
int scanIntoScratch(const char* line, const char* format, std::size_t& wanted) {
    float floats[kMaxValues];
    int ints[kMaxValues];
    char words[kMaxValues][MemoryFile::kLineSize];
    std::vector<ScanTarget> targets;
    for (const char* f = format; *f != '\0' && targets.size() < kMaxValues; ++f) {
        if (*f != '%' || f[1] == '\0') continue;
        const std::size_t i = targets.size();
        ++f;
        if (*f == 'f') targets.emplace_back(floats[i]);
        else if (*f == 'd') targets.emplace_back(ints[i]);
        else if (*f == 's') targets.emplace_back(words[i], sizeof words[i]);
    }
    wanted = targets.size();
    return scanLine(line, format, targets.data(), wanted);
}

}  // namespace

std::string quoted(const char* text) { return "\"" + std::string(text) + "\""; }

void checkValues(const ScriptLines& lines, const char* format) {
    if (!findingsWanted() || format == nullptr) return;
    std::size_t count = 0;
    const int scanned = scanIntoScratch(lines.line(), format, count);
    if (static_cast<std::size_t>(scanned) < count)
        lines.report("values do not scan as " + quoted(format) + " (" + std::to_string(scanned) + " of " +
                     std::to_string(count) + " read)");
}

bool isKeywordLine(const char* line, const char* keyword, const char* format) {
    const auto first = wordAt(line, 0);
    if (first.second != std::strlen(keyword) || std::strncmp(first.first, keyword, first.second) != 0) return false;
    if (format == nullptr) return wordAt(line, 1).second == 0;
    std::size_t wanted = 0;
    return static_cast<std::size_t>(scanIntoScratch(line, format, wanted)) == wanted;
}

void checkWordFits(const ScriptLines& lines, int index, std::size_t capacity, const char* what) {
    if (!findingsWanted()) return;
    const auto word = wordAt(lines.line(), index);
    if (word.second >= capacity)
        lines.report(std::string(what) + " " + quoted(std::string(word.first, word.second).c_str()) +
                     " is longer than its " + std::to_string(capacity - 1) + " characters");
}

void checkNearMiss(const ScriptLines& lines, std::initializer_list<const char*> keywords) {
    checkNearMiss(lines, keywords.begin(), keywords.size());
}

void checkNearMiss(const ScriptLines& lines, const char* const* keywords, std::size_t count) {
    if (!findingsWanted()) return;
    const auto first = wordAt(lines.line(), 0);
    const std::string word(first.first, first.second);
    if (word.size() < 3) return;
    for (std::size_t i = 0; i < count; ++i)
        if (startsWithKeyword(word.c_str(), keywords[i])) return;
    for (std::size_t i = 0; i < count; ++i) {
        if (std::strlen(keywords[i]) < 3) continue;
        const std::string keyword = lowered(keywords[i]);
        if (lowered(word) == keyword || oneEditApart(lowered(word), keyword)) {
            lines.report(quoted(word.c_str()) + " is no keyword here; did you mean " + quoted(keywords[i]) + "?");
            return;
        }
    }
}

void checkTerminated(const ScriptLines& lines, const char* terminator, const char* what) {
    // An empty member has been reported by whoever failed to open it.
    if (findingsWanted() && !lines.emptyFile() && !lines.startsWith(terminator))
        lines.report(std::string(what) + " ends without " + quoted(terminator));
}

}  // namespace tarnel
