#include "assets/loading_tick.h"

#include <utility>

namespace tarnel {

namespace {
// Written by the saver run before loading and cleared after it; read by every loader.
std::function<void()>& loadingTickHandler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void setLoadingTickHandler(std::function<void()> handler) { loadingTickHandler() = std::move(handler); }

void sendLoadingTick() {
    if (loadingTickHandler()) loadingTickHandler()();
}

}  // namespace tarnel
