// The screensaver command line: /s, /t, /c [N], /p N, with the switch letter after the
// program path; N in decimal or, as X tools print windows, in hexadecimal after "0x". The
// parser reads one line, program path included, as the system hands it over; on Linux that
// line is built from argv with the program path quoted.
#pragma once

#include "host/saver_app.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnel {

struct ParsedCommandLine {
    std::int32_t mode = Configure;
    std::int32_t parentWindow = 0;
    bool switchFound = false;  // a / or - after the program path
    std::string unknownOption; // the word of a "-" switch that is none of c, p, s, t: a mistyped option
};

ParsedCommandLine parseCommandLine(std::string_view line);

// args[0] is the program path; it is quoted, and so is any later argument holding a blank.
std::string buildCommandLine(const std::vector<std::string>& args);

}  // namespace tarnel
