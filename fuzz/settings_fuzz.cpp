// Fuzz target of the settings file reader: any bytes load into a record whose values lie
// in their ranges, and a save of that record reads back the same.
#include "host/settings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    tarnel::Settings defaults;
    tarnel::Settings loaded = tarnel::parseSettings(text, defaults);
    bool inRange = loaded.Width >= 640 && loaded.Width <= 16384 && loaded.Height >= 480 &&
                   loaded.Height <= 16384 && loaded.Depth >= 16 && loaded.Depth <= 32 && loaded.Volume >= 1 &&
                   loaded.Volume <= 100 && loaded.Gamma <= 100 && loaded.Speed <= 100 &&
                   loaded.Path.size() <= tarnel::kPathLimit && (!loaded.DefGamma || loaded.Gamma == 50);
    if (!inRange) std::abort();
    std::string saved = tarnel::formatSettings(loaded, text);
    tarnel::Settings again = tarnel::parseSettings(saved, defaults);
    if (tarnel::formatSettings(again, saved) != saved) std::abort();
    return 0;
}
