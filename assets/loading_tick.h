// The loading tick: each texture, scene object and geometry line read while the package
// loads sends one, and the saver answers it by drawing the next loading-screen frame.
// Loaders send ticks without knowing who listens; with no listener a tick does nothing.
#pragma once

#include <functional>

namespace tarnel {

void setLoadingTickHandler(std::function<void()> handler);
void sendLoadingTick();

}  // namespace tarnel
