// Calls a mesh display list unless the model lies wholly outside the view. On a software
// renderer every vertex of a list costs time whether or not it lands on the screen, and
// several spheres (the sun's layers, moons behind the camera) are often out of view.
#pragma once

#include <cstdint>

namespace tarnel {

// Off until the host turns it on. The saver draws its first frame with every list, since a
// software renderer compiles each object's shaders on its first draw; an object first drawn
// when it comes into view would stall the flight there.
void setViewCulling(bool on);

// Under the current modelview and projection, calls the list, or, when culling is on and
// every corner of the list lies outside one plane of the view volume, only sets the
// normal, texture coordinate and colour the list would have left current.
void callListInView(std::uint32_t list);

}  // namespace tarnel
