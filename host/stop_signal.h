// SIGTERM, SIGINT and SIGHUP end the saver loop instead of the process, so the end steps still
// restore the gamma ramp, the display mode and the cursor. Screensaver hosts end their
// hacks with SIGTERM.
#pragma once

namespace tarnel {

void installStopSignalHandlers();
bool stopRequested();
// For tests: as if a stop signal had arrived, or clears one.
void setStopRequested(bool requested);

}  // namespace tarnel
