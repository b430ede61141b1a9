// Where the asset loaders get their archive members. In a saver run that is the data
// package; tests, tools and benchmarks hand in members they hold in memory instead, so the
// loaders never depend on a package file being present.
#pragma once

#include <functional>

#include "assets/memory_file.h"

namespace tarnel {

// Opens memberName into file. Returns 1 on success, 0 on failure (the file stays empty),
// as MemoryFile::open does.
using MemberOpener = std::function<int(MemoryFile& file, const char* memberName)>;

// Opens the member from the data package (MemoryFile::open).
int openPackageMember(MemoryFile& file, const char* memberName);

}  // namespace tarnel
