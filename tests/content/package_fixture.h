// The default package, generated once per test run and shared by the content tests, with
// small readers for what the tests inspect (members by name, script lines, TGA headers).
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "content/package.h"

namespace content_test {

inline const content::Package& generatedPackage() {
    static const content::Package package = content::buildPackage(TARNEL_CONTENT_SCRIPTS);
    return package;
}

inline const content::Member* findMember(const content::Package& pkg, const std::string& name) {
    for (const content::Member& m : pkg.members)
        if (m.name == name) return &m;
    return nullptr;
}

inline std::vector<std::string> memberLines(const content::Member& m) {
    std::vector<std::string> lines;
    std::string text(m.bytes.begin(), m.bytes.end()), line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The word after a keyword at the start of a line (leading spaces dropped, as the engine's
// line reader does; tabs kept), or "" when the line does not begin with it.
inline std::string wordAfter(std::string line, const std::string& keyword) {
    line.erase(0, line.find_first_not_of(' '));
    if (line.compare(0, keyword.size(), keyword) != 0) return "";
    std::istringstream in(line.substr(keyword.size()));
    std::string word;
    in >> word;
    return word;
}

}  // namespace content_test
