// The line walk every script reader shares: one 128-byte line at a time from a memory file,
// with the block and terminator rules on top. A script that ends early (no terminator, a
// block without "end") simply runs out of lines; nothing waits for a line that never comes.
#pragma once

#include "assets/findings.h"
#include "assets/memory_file.h"
#include "script/line_scan.h"

namespace tarnel {

class ScriptLines {
public:
    explicit ScriptLines(MemoryFile& file) : file(file), place(file.name, lineNumber) {}

    // Reads the next line. False, with an empty line, once the last line has been delivered.
    bool next();
    const char* line() const { return buffer; }
    // How many lines have been read so far: a block rule that reads lines of its own (a
    // sub-block) shows up as a change.
    unsigned long linesRead() const { return static_cast<unsigned long>(lineNumber); }
    bool startsWith(const char* keyword) const { return startsWithKeyword(buffer, keyword); }

    // Between blocks: reads on until the current line begins with opener. False when a line
    // beginning with terminator comes first, or the lines run out.
    bool seekBlock(const char* opener, const char* terminator);
    // Reads on until the current line begins with keyword; false when the lines run out.
    bool seekLine(const char* keyword);
    // In a block: reads the next line unless the current one closes the block ("end").
    bool nextInBlock();

    // Reports a finding at the current line, or at an earlier one of the same member.
    void report(const std::string& message) const { reportFinding(file.name, lineNumber, message); }
    void reportAt(int line, const std::string& message) const { reportFinding(file.name, line, message); }
    int number() const { return lineNumber; }
    bool emptyFile() const { return file.size == 0; }

    template <class... Targets>
    int scan(const char* format, Targets&&... targets) const {
        return scanValues(buffer, format, targets...);
    }

private:
    MemoryFile& file;
    char buffer[MemoryFile::kLineSize] = {};
    bool dataLeft = true;
    int lineNumber = 0;  // of the current line, from 1
    ReadingPlace place;

    void reportLongLine(std::uint32_t start) const;
};

}  // namespace tarnel
