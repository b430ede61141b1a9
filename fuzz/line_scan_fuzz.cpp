// Fuzzes the value scanner: the input is a line scanned with one of the readers' formats,
// or, when it holds a line feed, a format of its own followed by the line.
#include "script/line_scan.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const kFormats[] = {
    "radius %f", "position V(%f %f %f)", "rotation V(%f %f %f) %f %f", "\tsize %f",
    "flash %f %f %f)", "alpha %f fade: %f %f", "parent %s V(%f %f %f)", "dens %d",
    "quaternion Q(%f %f %f %f)", "world %s",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string format = kFormats[data[0] % (sizeof kFormats / sizeof kFormats[0])];
    std::size_t split = input.find('\n');
    if (split != std::string::npos) {
        format = input.substr(0, split);
        input.erase(0, split + 1);
    }
    float f[4] = {};
    int i = 0;
    char word[15];
    char wide[50];
    const char* line = input.c_str();
    tarnel::scanValues(line, format.c_str(), f[0], f[1], f[2], f[3], i);
    tarnel::scanValues(line, format.c_str(), word, f[0], f[1], f[2], wide, i);
    tarnel::scanValues(line, format.c_str(), i, wide, f[0]);
    tarnel::startsWithKeyword(line, format.c_str());
    return 0;
}
