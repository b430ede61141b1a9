// The findings every script reader can make about the line it stands on: values that do not
// scan, words too long for their field, a first word that nearly spells a keyword, a block or
// file that runs out before its terminator. Each does nothing unless findings are wanted.
#pragma once

#include "script/script_lines.h"

#include <cstddef>
#include <initializer_list>
#include <string>

namespace tarnel {

// Reports when the line gives fewer values than the format asks for.
void checkValues(const ScriptLines& lines, const char* format);

// Reports when word number index (0 is the keyword) is longer than a field of capacity bytes
// holds; what names the field in the message.
void checkWordFits(const ScriptLines& lines, int index, std::size_t capacity, const char* what);

// Reports when the line's first word is not a keyword of keywords but is one letter (added,
// dropped, changed or swapped with its neighbour) or only letter case away from one. Lines
// whose first word is far from every keyword are comments.
void checkNearMiss(const ScriptLines& lines, std::initializer_list<const char*> keywords);
void checkNearMiss(const ScriptLines& lines, const char* const* keywords, std::size_t count);

// Reports, once the lines have stopped, when the current line does not begin with terminator.
void checkTerminated(const ScriptLines& lines, const char* terminator, const char* what);

// Whether the line reads as a whole keyword line: its first word is exactly keyword, and
// every value of format scans (a keyword without a format: nothing follows it). A comment
// that merely begins with the word is no keyword line.
bool isKeywordLine(const char* line, const char* keyword, const char* format);

// "keyword" -> "\"keyword\"": quoting for messages.
std::string quoted(const char* text);

}  // namespace tarnel
