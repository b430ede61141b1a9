// Parallel per-pixel painting for Raster (included by raster.h).
#pragma once

#include <thread>

namespace content {

template <class Paint>
void paintAll(Raster& r, Paint paint) {
    // Two workers, even and odd rows: the machine that builds the package has two cores,
    // and every painter is a pure function of the pixel, so the result does not depend on it.
    auto rows = [&](int first) {
        for (int y = first; y < r.height(); y += 2)
            for (int x = 0; x < r.width(); ++x) r.at(x, y) = paint(x, y);
    };
    std::thread other(rows, 1);
    rows(0);
    other.join();
}

}  // namespace content
