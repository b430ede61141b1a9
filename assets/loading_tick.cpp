#include "assets/loading_tick.h"

#include <utility>

namespace tarnel {

namespace {
// Written by the saver run before loading and cleared after it; read by every loader.
std::function<void()>& loadingTickHandler() {
    static std::function<void()> handler;
    return handler;
}

// Set by a tick handler, cleared with the next handler; read by the loaders after each tick.
bool& stopFlag() {
    static bool stopped = false;
    return stopped;
}
}  // namespace

void setLoadingTickHandler(std::function<void()> handler) {
    loadingTickHandler() = std::move(handler);
    stopFlag() = false;
}

void stopLoading() { stopFlag() = true; }

bool loadingStopped() { return stopFlag(); }

void sendLoadingTick() {
    if (loadingTickHandler()) loadingTickHandler()();
}

}  // namespace tarnel
