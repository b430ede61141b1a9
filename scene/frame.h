// The frame lists, the update pass and the frame render: every frame the current world's
// first-pass, own and post-pass objects are copied into three lists, updated in that order,
// then drawn in that order after the camera and the lights are placed. Needs a current GL
// context for renderFrame only.
#pragma once

#include "scene/object_list.h"

#include <functional>

namespace tarnel {

class CameraDirector;

// What the frame render draws: the current world's lists and its lighting rule. With no
// objects list there is no current world and the frame stays cleared.
struct FrameSource {
    const ObjectList* firstpass = nullptr;  // the environment's lists; null reads as empty
    const ObjectList* objects = nullptr;    // the world's own objects; null: no current world
    const ObjectList* postpass = nullptr;
    bool system = false;                    // light 1 at the origin instead of far away
};

// The steps of a frame that belong to the saver loop and the overlay. Empty ones are skipped.
struct FrameHooks {
    std::function<void()> secondPeriod;  // after the draws: the frames-per-second bookkeeping
    std::function<void()> overlay;       // the 2D overlay, clock and counter
    std::function<void()> frameDrawn;    // last: one more frame counted
    // Asked before each object is drawn: true drops the rest of the frame. A stop signal
    // must not wait for a slow frame (on a software renderer, each new combination of GL
    // state first compiles a shader, which a loaded machine takes a second over).
    std::function<bool()> abandon;
};

// The three lists the renderer keeps. Refreshing assigns element by element, so with the
// world fixed the nodes are reused and nothing is allocated after the first frame.
class FrameLists {
public:
    ObjectList firstPass;
    ObjectList objects;
    ObjectList postPass;

    void refresh(const FrameSource& source);
    void clear();
};

// The renderer's lists for the run.
FrameLists& frameLists();

// Every object of the first-pass, object and post-pass list, in order, advanced by the same
// unscaled seconds. Walks the lists as the previous frame left them (empty before the first).
void updateObjects(FrameLists& lists, double seconds);

// Draws one frame into the back buffer. seconds is not used by any step; it is kept so the
// loop passes the frame time the same way to both passes. False when the frame was
// abandoned: the back buffer then holds part of a picture, which must not be shown.
bool renderFrame(FrameLists& lists, const FrameSource& source, const CameraDirector& camera,
                 const FrameHooks& hooks, float seconds);

}  // namespace tarnel
