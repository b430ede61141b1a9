// A preload library for the end-to-end measurement: it counts the glXSwapBuffers and
// eglSwapBuffers calls of a GL program and logs the swaps of every second on standard error
// ("swaps 31 in 1.002 s"). SDL looks its swap function up in a library it opens itself,
// out of reach of a preload, so the saver prints its own count (--verbose) instead.
#include <dlfcn.h>

#include <cstdio>
#include <ctime>

namespace {

using GlxSwap = void (*)(void*, unsigned long);
using EglSwap = unsigned (*)(void*, void*);

double secondsNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct SwapLog {
    GlxSwap nextGlx = nullptr;
    EglSwap nextEgl = nullptr;
    long swaps = 0;
    double periodStart = 0.0;
};

SwapLog& swapLog() {
    // The one swap log of the process it is loaded into.
    static SwapLog log;
    return log;
}

void countSwap() {
    SwapLog& log = swapLog();
    double now = secondsNow();
    if (log.periodStart == 0.0) log.periodStart = now;
    ++log.swaps;
    if (now - log.periodStart >= 1.0) {
        std::fprintf(stderr, "swaps %ld in %.3f s\n", log.swaps, now - log.periodStart);
        log.swaps = 0;
        log.periodStart = now;
    }
}

}  // namespace

extern "C" void glXSwapBuffers(void* display, unsigned long drawable) {
    SwapLog& log = swapLog();
    if (!log.nextGlx) log.nextGlx = reinterpret_cast<GlxSwap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    if (log.nextGlx) log.nextGlx(display, drawable);
    countSwap();
}

extern "C" unsigned eglSwapBuffers(void* display, void* surface) {
    SwapLog& log = swapLog();
    if (!log.nextEgl) log.nextEgl = reinterpret_cast<EglSwap>(dlsym(RTLD_NEXT, "eglSwapBuffers"));
    unsigned ok = log.nextEgl ? log.nextEgl(display, surface) : 0;
    countSwap();
    return ok;
}
