// A preload library for the end-to-end measurement: it counts glXSwapBuffers calls of any
// GL program linked against libGL and logs the swaps of every second on standard error
// ("swaps 31 in 1.002 s"), so two programs are measured the same way.
#include <dlfcn.h>

#include <cstdio>
#include <ctime>

namespace {

using SwapFunction = void (*)(void*, unsigned long);

double secondsNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct SwapLog {
    SwapFunction next = nullptr;
    long swaps = 0;
    double periodStart = 0.0;
};

SwapLog& swapLog() {
    // The one swap log of the process it is loaded into.
    static SwapLog log;
    return log;
}

}  // namespace

extern "C" void glXSwapBuffers(void* display, unsigned long drawable) {
    SwapLog& log = swapLog();
    if (!log.next) log.next = reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    if (log.next) log.next(display, drawable);
    double now = secondsNow();
    if (log.periodStart == 0.0) log.periodStart = now;
    ++log.swaps;
    if (now - log.periodStart >= 1.0) {
        std::fprintf(stderr, "swaps %ld in %.3f s\n", log.swaps, now - log.periodStart);
        log.swaps = 0;
        log.periodStart = now;
    }
}
