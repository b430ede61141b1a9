// The frame render's fixed step order. Objects leave a resting GL state rather than
// restoring what they found, so the order of these steps and of the lists decides the picture.
#include "scene/frame.h"

#include "camera/camera_view.h"
#include "scene/scene_object.h"

#include <GL/gl.h>

namespace tarnel {

namespace {

const ObjectList kNoObjects;

const ObjectList& listOrEmpty(const ObjectList* list) { return list != nullptr ? *list : kNoObjects; }

void placeCamera(const CameraDirector& camera) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCameraView(camera);
}

// Given after the view transform, so the positions are in world coordinates.
void placeLights(bool system) {
    if (system) {
        const GLfloat origin[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        glLightfv(GL_LIGHT1, GL_POSITION, origin);
        return;
    }
    const GLfloat distant[4] = {0.0f, 0.0f, 1000000.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, distant);
    glLightfv(GL_LIGHT0, GL_POSITION, distant);
}

// False when the frame was abandoned before the list's end.
bool drawList(const ObjectList& list, const CameraDirector& camera, const FrameHooks& hooks) {
    for (SceneObject* object : list) {
        if (hooks.abandon && hooks.abandon()) return false;
        object->draw(camera);
    }
    return true;
}

void run(const std::function<void()>& hook) {
    if (hook) hook();
}

}  // namespace

void FrameLists::refresh(const FrameSource& source) {
    firstPass = listOrEmpty(source.firstpass);
    objects = listOrEmpty(source.objects);
    postPass = listOrEmpty(source.postpass);
}

void FrameLists::clear() {
    firstPass.clear();
    objects.clear();
    postPass.clear();
}

FrameLists& frameLists() {
    // The renderer's one set of lists, emptied when the run ends.
    static FrameLists lists;
    return lists;
}

void updateObjects(FrameLists& lists, double seconds) {
    for (const ObjectList* list : {&lists.firstPass, &lists.objects, &lists.postPass})
        for (SceneObject* object : *list) object->update(seconds);
}

bool renderFrame(FrameLists& lists, const FrameSource& source, const CameraDirector& camera,
                 const FrameHooks& hooks, float /*seconds*/) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (source.objects == nullptr) return true;
    lists.refresh(source);
    placeCamera(camera);
    placeLights(source.system);
    if (!drawList(lists.firstPass, camera, hooks) || !drawList(lists.objects, camera, hooks) ||
        !drawList(lists.postPass, camera, hooks))
        return false;
    placeCamera(camera);
    run(hooks.secondPeriod);
    glFlush();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    run(hooks.overlay);
    glEnable(GL_BLEND);
    run(hooks.frameDrawn);
    glFlush();
    return true;
}

}  // namespace tarnel
