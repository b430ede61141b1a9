// The default scene driven in-process as the saver loop drives it: after the first frame a
// frame allocates nothing, and a day of flight keeps the camera and every object finite.
#include "assets/archive.h"
#include "camera/camera_director.h"
#include "host/input_state.h"
#include "host/loaded_scene.h"
#include "host/scene_hooks.h"
#include "platform/offscreen_gl.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <execinfo.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <sstream>
#include <string>

namespace {
std::atomic<long> allocations{0};
bool counting = false;
[[maybe_unused]] bool inClassifier = false;  // read only by the replaced operator new

// The GL driver compiles its state variants lazily, with allocations of its own. An
// allocation is ours when, walking out from it past the C and C++ runtimes, the first frame
// lies in this binary (where all of our code is linked) rather than in another library.
__attribute__((noinline)) bool allocatedByOurCode() {
    static Dl_info self{};
    if (self.dli_fname == nullptr) dladdr(reinterpret_cast<void*>(&allocatedByOurCode), &self);
    void* frames[64];
    const int count = backtrace(frames, 64);
    for (int i = 2; i < count; ++i) {
        Dl_info info{};
        if (dladdr(frames[i], &info) == 0 || info.dli_fname == nullptr) continue;
        if (std::strcmp(info.dli_fname, self.dli_fname) == 0) return true;
        const char* name = info.dli_fname;
        if (std::strstr(name, "libstdc++") || std::strstr(name, "libc.so") || std::strstr(name, "libgcc")) continue;
        return false;
    }
    return true;
}
}  // namespace

// AddressSanitizer keeps its own books on operator new and delete: a replacement here would
// pair its frees with the sanitizer's allocations (libLLVM's among them) and fail as a
// mismatch, so a sanitizer build counts nothing and skips the allocation test.
#if defined(__SANITIZE_ADDRESS__)
#define TARNEL_SOAK_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARNEL_SOAK_UNDER_ASAN 1
#endif
#endif

#ifndef TARNEL_SOAK_UNDER_ASAN
// Every allocation of our code is counted while counting is on; the frees need no replacement.
void* operator new(std::size_t size) {
    if (counting && !inClassifier) {
        inClassifier = true;
        if (allocatedByOurCode()) ++allocations;
        inClassifier = false;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
// Not inlined: inlined into a new-expression, free would look to the compiler like a
// mismatched release of operator new's memory.
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#endif

namespace tarnel {
namespace {

class SaverSoak : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string package = std::string(TARNEL_BINARY_DIR) + "/data.sdd";
        if (!std::filesystem::exists(package)) return;
        gl = platform::OffscreenGl::create(160, 120).release();
        if (gl == nullptr) return;
        packageSource().path = package;
        loadScene();
        startCamera();
        void* warm[4];
        backtrace(warm, 4);  // loads the unwinder before any allocation is classified
    }

    void SetUp() override {
        if (gl == nullptr) GTEST_SKIP() << "no default package or no offscreen OpenGL";
        ASSERT_NE(loadedScene().current, nullptr);
    }

    void frame(double seconds) {
        stepCamera(seconds);
        updateScene(seconds);
        renderScene(static_cast<float>(seconds), input);
        gl->swapBuffers();
    }

    static platform::OffscreenGl* gl;  // lives for the whole binary, as the saver's context does
    InputState input;
};

platform::OffscreenGl* SaverSoak::gl = nullptr;

bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

TEST_F(SaverSoak, FramesAfterTheFirstAllocateNothing) {
#ifdef TARNEL_SOAK_UNDER_ASAN
    GTEST_SKIP() << "allocations are counted by a replaced operator new, which the sanitizer owns";
#endif
    frame(1.0 / 30.0);
    counting = true;
    const long before = allocations.load();
    long inUpdate = 0;
    for (int i = 0; i < 120; ++i) {
        const long start = allocations.load();
        stepCamera(1.0 / 30.0);
        updateScene(1.0 / 30.0);
        inUpdate += allocations.load() - start;
        renderScene(1.0f / 30.0f, input);
        gl->swapBuffers();
    }
    counting = false;
    EXPECT_EQ(inUpdate, 0) << "camera and update pass";
    EXPECT_EQ(allocations.load() - before, 0) << "whole frames";
}

TEST_F(SaverSoak, ADayOfFlightKeepsEveryValueFinite) {
    // Camera and update pass only, in one-second steps: 24 hours of the saver's own time.
    for (int second = 0; second < 24 * 3600; ++second) {
        stepCamera(1.0);
        updateScene(1.0);
        const CameraDirector& camera = cameraDirector();
        ASSERT_TRUE(finite(camera.position) && finite(camera.look) && finite(camera.up) && finite(camera.eye))
            << "camera at second " << second;
    }
    frame(1.0 / 30.0);
    std::ostringstream dump;
    writeSceneDump(loadedScene(), dump);
    const std::string text = dump.str();
    for (const char* bad : {"nan", "inf", "NaN", "Inf"}) EXPECT_EQ(text.find(bad), std::string::npos) << bad;
}

}  // namespace
}  // namespace tarnel
