// Starting layouts of the 1.5 decoder's adaptive lists and the ranking step they share.
#include "assets/rar/unpack15_model.h"

namespace tarnel::rar {

void RankedSymbols::resetInOrder() {
    for (unsigned i = 0; i < 256; ++i) entry_[i] = std::uint16_t(i << 8);
    groupStart_.fill(0);
}

void RankedSymbols::resetRegrouped() {
    resetInOrder();
    regroup();
}

void RankedSymbols::regroup() {
    // Eight groups of 32 places with counts 7 down to 0; each group starts 32 places later.
    for (unsigned place = 0; place < 256; ++place)
        entry_[place] = std::uint16_t((entry_[place] & 0xff00) | (7 - place / 32));
    groupStart_.fill(0);
    for (unsigned count = 0; count < 7; ++count) groupStart_[count] = std::uint16_t((7 - count) * 32);
}

std::uint8_t RankedSymbols::use(unsigned place, unsigned countLimit) {
    place &= 0xff;
    std::uint16_t value = entry_[place];
    if ((value & 0xffu) + 1 > countLimit) {
        regroup();
        value = entry_[place];
    }
    // Masked so that a list driven out of order by damaged data still stays in bounds.
    const unsigned front = groupStart_[value & 0xff]++ & 0xff;
    entry_[place] = entry_[front];
    entry_[front] = std::uint16_t(value + 1);
    return std::uint8_t(value >> 8);
}

void Unpack15Model::reset() {
    literals.resetInOrder();
    longPlaces.resetRegrouped();
    // Flag bytes start as 0, then 0xff falling: busy flag bytes (many literals) rank first.
    for (unsigned place = 0; place < 256; ++place) {
        flagBytes.setEntry(place, std::uint8_t(0u - place));
        shortDistances[place] = std::uint16_t(place);
    }
    flagBytes.clearGroups();

    literalAverage = 0x3500;
    longPlaceAverage = 0;
    shortLengthAverage = 0;
    longLengthAverage = 0;
    runAverage = 0;
    literalWeight = 0x80;
    matchWeight = 0x80;
    farDistance = 0x2001;
    literalRun = 0;
    shortCodeVariant = 0;

    oldDistances.fill(0);
    oldDistanceNext = 0;
    lastDistance = 0;
    lastLength = 0;
    beginMember();
}

void Unpack15Model::beginMember() {
    flagBits = 0;
    flagsLeft = 0;
    literalMode = false;
    repeatCount = 0;
}

}  // namespace tarnel::rar
