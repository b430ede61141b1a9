// The package opener lives in its own unit so that code which always names its opener
// (tests, fuzz targets, tools) does not pull in the archive reader.
#include "assets/member_opener.h"

namespace tarnel {

int openPackageMember(MemoryFile& file, const char* memberName) { return file.open(memberName); }

}  // namespace tarnel
