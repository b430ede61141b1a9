// Opening a memory file is the bridge from the readers to the data package.
#include "assets/archive.h"
#include "assets/findings.h"
#include "assets/load_timing.h"
#include "assets/memory_file.h"

#include <string>
#include <utility>

namespace tarnel {

int MemoryFile::open(const char* memberName) {
    setName(memberName);
    const PackageSource& source = packageSource();
    ScopedLoadStep timed(LoadStep::Archive);
    ExtractResult result = extractArchiveMember(name, source.path, source.password);
    if (!result.ok()) {
        // Reported where the member was named: the script line, or the member itself. A package
        // that cannot be read at all is named once by whoever chose it, not at every member.
        if (!result.packageUnusable)
            reportAtReadingPlace(name, "cannot read \"" + std::string(name) + "\": " + result.error);
        data.clear();
        size = 0;
        return 0;
    }
    data = std::move(result.data);
    size = static_cast<std::uint32_t>(data.size());
    return 1;
}

}  // namespace tarnel
