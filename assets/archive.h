// The one call the program makes into the data package: extract a named member whole.
// The package file is opened here and nowhere else; everything above works on bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnel {

// Which package the loaders read and the password its members may be encrypted under.
// One process-wide record: the host sets it before loading ("data.sdd" in the working
// directory and an empty password unless the user names others).
struct PackageSource {
    std::string path = "data.sdd";
    std::string password;
};
PackageSource& packageSource();

struct ExtractResult {
    std::vector<std::uint8_t> data;  // exactly the member's unpacked size on success
    std::string error;               // empty on success, else a reason a person can read
    bool packageUnusable = false;    // the package file itself cannot be read: every member fails alike
    bool ok() const { return error.empty(); }
};

// Why the package file cannot be read at all, in a few words ("No such file or directory",
// "not a RAR archive"); empty when it can.
std::string packageProblem(const std::string& archivePath);

// Finds the first member whose name matches memberName without regard to case, with "\"
// and "/" alike, extracts it and checks its CRC-32.
ExtractResult extractArchiveMember(std::string_view memberName, const std::string& archivePath,
                                   std::string_view password);

}  // namespace tarnel
