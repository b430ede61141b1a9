// The stop flag: a sig_atomic_t written by the handler, read by the loop once a frame.
#include "host/stop_signal.h"

#include <csignal>

namespace tarnel {

namespace {
// Written only by the signal handler and the tests; read by the loop.
volatile std::sig_atomic_t stopFlag = 0;

extern "C" void onStopSignal(int) { stopFlag = 1; }
}  // namespace

void installStopSignalHandlers() {
    std::signal(SIGTERM, onStopSignal);
    std::signal(SIGINT, onStopSignal);
#ifdef SIGHUP
    std::signal(SIGHUP, onStopSignal);  // no hang-up signal on Windows
#endif
}

bool stopRequested() { return stopFlag != 0; }

void setStopRequested(bool requested) { stopFlag = requested ? 1 : 0; }

}  // namespace tarnel
