#include "camera/camera_director.h"
#include "scene/frame.h"
#include "scene/scene_object.h"
#include "platform/offscreen_gl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnel {
namespace {

// Records every call, with where light 1 stood (in eye coordinates) when it drew.
class Recorder : public SceneObject {
public:
    Recorder(std::vector<std::string>& log, std::string tag) : log(log), tag(std::move(tag)) {}
    void draw(const CameraDirector&) override {
        log.push_back("draw " + tag);
        glGetLightfv(GL_LIGHT1, GL_POSITION, light1);
        glGetLightfv(GL_LIGHT0, GL_POSITION, light0);
    }
    void update(double seconds) override { log.push_back("update " + tag + " " + std::to_string(seconds)); }

    std::vector<std::string>& log;
    std::string tag;
    GLfloat light1[4] = {};
    GLfloat light0[4] = {};
};

class FrameRender : public ::testing::Test {
protected:
    void SetUp() override {
        gl = platform::OffscreenGl::create(64, 48);
        ASSERT_TRUE(gl);
        // Looking down -z from the origin: eye coordinates equal world coordinates.
        camera.eye = camera.position = Vector3(0, 0, 0);
        camera.look = Vector3(0, 0, -1);
        camera.up = Vector3(0, 1, 0);
        firstpass.push_back(&first);
        objects.push_back(&own);
        objects.push_back(&own2);
        postpass.push_back(&post);
        source = FrameSource{&firstpass, &objects, &postpass, false};
    }

    std::unique_ptr<platform::OffscreenGl> gl;
    CameraDirector camera;
    std::vector<std::string> log;
    Recorder first{log, "first"}, own{log, "own"}, own2{log, "own2"}, post{log, "post"};
    ObjectList firstpass, objects, postpass;
    FrameSource source;
    FrameLists lists;
};

TEST_F(FrameRender, DrawsFirstPassThenOwnThenPostPassAndUpdatesInTheSameOrder) {
    updateObjects(lists, 0.5);
    EXPECT_TRUE(log.empty()) << "the first update pass finds the lists still empty";
    renderFrame(lists, source, camera, FrameHooks(), 0.0f);
    updateObjects(lists, 0.25);
    const std::vector<std::string> expected = {"draw first", "draw own", "draw own2", "draw post",
                                               "update first 0.250000", "update own 0.250000",
                                               "update own2 0.250000", "update post 0.250000"};
    EXPECT_EQ(log, expected);
}

TEST_F(FrameRender, RefreshReusesTheListNodesOnceTheWorldIsFixed) {
    lists.refresh(source);
    const SceneObject* const* node = &lists.objects.back();
    lists.refresh(source);
    EXPECT_EQ(node, &lists.objects.back());
    EXPECT_EQ(lists.objects.size(), 2u);
}

TEST_F(FrameRender, PlainWorldPutsBothLightsFarOnZ) {
    renderFrame(lists, source, camera, FrameHooks(), 0.0f);
    EXPECT_FLOAT_EQ(own.light1[2], 1000000.0f);  // the view is the identity
    EXPECT_FLOAT_EQ(own.light0[2], 1000000.0f);
    EXPECT_FLOAT_EQ(own.light1[3], 1.0f);
}

TEST_F(FrameRender, SystemWorldMovesOnlyLightOneToTheOrigin) {
    const GLfloat before[4] = {5.0f, 6.0f, 7.0f, 1.0f};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, before);
    camera.eye = camera.position = Vector3(0, 0, 100);
    source.system = true;
    renderFrame(lists, source, camera, FrameHooks(), 0.0f);
    EXPECT_FLOAT_EQ(own.light1[2], -100.0f);
    EXPECT_FLOAT_EQ(own.light0[0], 5.0f);
    EXPECT_FLOAT_EQ(own.light0[2], 7.0f);
}

TEST_F(FrameRender, HooksRunAfterTheDrawsInOrderWithTheOverlayBlendFunction) {
    FrameHooks hooks;
    GLint src = 0, dst = 0;
    hooks.secondPeriod = [&] { log.push_back("period"); };
    hooks.overlay = [&] {
        glGetIntegerv(GL_BLEND_SRC, &src);
        glGetIntegerv(GL_BLEND_DST, &dst);
        log.push_back("overlay");
    };
    hooks.frameDrawn = [&] { log.push_back("counted"); };
    glBlendFunc(GL_ONE, GL_ONE);
    renderFrame(lists, source, camera, hooks, 0.0f);
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[4], "period");
    EXPECT_EQ(log[5], "overlay");
    EXPECT_EQ(log[6], "counted");
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

TEST_F(FrameRender, AnAbandonedFrameDrawsNothingMoreRunsNoHookAndSaysSo) {
    FrameHooks hooks;
    hooks.abandon = [&] { return log.size() == 2; };
    hooks.overlay = [&] { log.push_back("overlay"); };
    hooks.frameDrawn = [&] { log.push_back("counted"); };
    EXPECT_FALSE(renderFrame(lists, source, camera, hooks, 0.0f)) << "half a picture is not to be shown";
    EXPECT_EQ(log, (std::vector<std::string>{"draw first", "draw own"}));
    hooks.abandon = [] { return false; };
    EXPECT_TRUE(renderFrame(lists, source, camera, hooks, 0.0f));
    EXPECT_TRUE(renderFrame(lists, FrameSource(), camera, hooks, 0.0f)) << "a cleared frame is a whole one";
}

TEST_F(FrameRender, NoCurrentWorldLeavesTheFrameClearedAndUncounted) {
    FrameHooks hooks;
    hooks.frameDrawn = [&] { log.push_back("counted"); };
    hooks.overlay = [&] { log.push_back("overlay"); };
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    renderFrame(lists, FrameSource(), camera, hooks, 0.0f);
    EXPECT_TRUE(log.empty());
    std::vector<std::uint8_t> pixels = gl->readPixels();
    EXPECT_NEAR(pixels[0], 51, 1);
    EXPECT_NEAR(pixels[2], 153, 1);
    glClearColor(0, 0, 0, 1);
}

TEST_F(FrameRender, MissingEnvironmentListsReadAsEmpty) {
    source.firstpass = nullptr;
    source.postpass = nullptr;
    renderFrame(lists, source, camera, FrameHooks(), 0.0f);
    const std::vector<std::string> expected = {"draw own", "draw own2"};
    EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace tarnel
