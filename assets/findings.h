// Findings: what a reader skipped or substituted while it read a package, as
// "member:line: message". The readers report where they act; who listens decides what
// happens (the data checker lists them, a verbose saver prints them, a quiet one drops
// them). With no listener a report costs one test.
#pragma once

#include <functional>
#include <string>

namespace tarnel {

class Finding {
public:
    std::string member;
    int line = 0;  // 1-based; 0 for the member as a whole
    std::string message;
};

using FindingHandler = std::function<void(const Finding&)>;

void setFindingHandler(FindingHandler handler);
// True while a handler listens: readers test it before doing work only a finding needs.
bool findingsWanted();
void reportFinding(const char* member, int line, const std::string& message);

// "member:line: message", or "member: message" for line 0.
std::string formatFinding(const Finding& finding);

// Marks the line a script reader stands on for as long as it lives, so that readers below it
// (a member it names that cannot be opened, a mesh it loads) report at the naming line.
class ReadingPlace {
public:
    ReadingPlace(const char* member, const int& line);
    ~ReadingPlace();
    ReadingPlace(const ReadingPlace&) = delete;
    ReadingPlace& operator=(const ReadingPlace&) = delete;

    const char* member;
    const int& line;
    ReadingPlace* outer;
};

// Reports at the innermost reading place; with none, at line 0 of fallbackMember.
void reportAtReadingPlace(const char* fallbackMember, const std::string& message);

}  // namespace tarnel
