#include "assets/findings.h"

#include <utility>

namespace tarnel {

namespace {

// Set by the checker or a verbose saver before loading; read by every reader.
FindingHandler& findingHandler() {
    static FindingHandler handler;
    return handler;
}

// The innermost reading place of the one loading thread.
ReadingPlace*& innermostPlace() {
    static ReadingPlace* place = nullptr;
    return place;
}

}  // namespace

void setFindingHandler(FindingHandler handler) { findingHandler() = std::move(handler); }

bool findingsWanted() { return static_cast<bool>(findingHandler()); }

void reportFinding(const char* member, int line, const std::string& message) {
    if (!findingsWanted()) return;
    findingHandler()(Finding{member != nullptr ? member : "", line, message});
}

std::string formatFinding(const Finding& finding) {
    std::string text = finding.member;
    if (finding.line > 0) text += ":" + std::to_string(finding.line);
    return text + ": " + finding.message;
}

ReadingPlace::ReadingPlace(const char* member, const int& line)
    : member(member), line(line), outer(innermostPlace()) {
    innermostPlace() = this;
}

ReadingPlace::~ReadingPlace() { innermostPlace() = outer; }

void reportAtReadingPlace(const char* fallbackMember, const std::string& message) {
    if (const ReadingPlace* place = innermostPlace()) {
        reportFinding(place->member, place->line, message);
    } else {
        reportFinding(fallbackMember, 0, message);
    }
}

}  // namespace tarnel
