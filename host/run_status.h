// The exit status of a saver run. The saver itself runs on with less, whatever its data; a
// run that renders (--render) or measures (--bench) fails when its output did, and says why.
#pragma once

#include "host/options.h"
#include "host/saver_run.h"

namespace tarnel {

// 0, or 1 when the package could not be opened or the PNG not written, each said in one
// line on standard error. Prints the --bench figures of a run that loaded its scene.
int saverRunStatus(const SaverRunResult& result, const RunOptions& options);

}  // namespace tarnel
