#include "camera/random.h"

namespace tarnel {

namespace {
// The generator's state: seeded once per saver run, advanced by every draw.
std::uint32_t randomState = 1;
}  // namespace

void seedRandom(std::uint32_t seed) { randomState = seed; }

int randomInt() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

float random01() { return static_cast<float>(randomInt()) / static_cast<float>(kRandomMax); }

}  // namespace tarnel
