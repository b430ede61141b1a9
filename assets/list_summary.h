// How far each mesh display list reaches from its model's origin, and the vertex attributes
// it leaves current. With both, a draw may skip a list that lies wholly outside the view and
// still leave OpenGL as calling it would have.
#pragma once

#include <cstdint>

namespace tarnel {

struct ListSummary {
    bool hasCorners = false;                  // an empty list changes nothing
    float extent = 0.0f;                      // the farthest corner from the origin
    float normal[3] = {0.0f, 0.0f, 1.0f};     // the last corner's attributes
    float texCoord[2] = {0.0f, 0.0f};
    bool coloured = false;                    // whether the corners carry a colour
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

// Replaces what is known of the list (list names are reused after a context ends).
void recordListSummary(std::uint32_t list, const ListSummary& summary);

// Null for a list that no mesh compiled.
const ListSummary* listSummary(std::uint32_t list);

// Forgets every list, as a new context starts with none.
void forgetListSummaries();

}  // namespace tarnel
