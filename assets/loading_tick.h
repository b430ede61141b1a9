// The loading tick: each texture, scene object and geometry line read while the package
// loads sends one, and the saver answers it by drawing the next loading-screen frame.
// Loaders send ticks without knowing who listens; with no listener a tick does nothing.
#pragma once

#include <functional>

namespace tarnel {

// Setting a handler also clears a stop asked for during an earlier load.
void setLoadingTickHandler(std::function<void()> handler);
void sendLoadingTick();

// Asked by a tick handler (a stop signal arrived): the loaders give up at their next tick,
// keeping what they have read, so that the saver can end within a second even while it
// loads a large package.
void stopLoading();
bool loadingStopped();

}  // namespace tarnel
