// Key and button events of the SDL backend, on SDL's dummy video driver (no display needed).
#include "platform/platform.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace tarnel::platform {
namespace {

class SdlInput : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::string error;
        platform = createDesktopPlatform(&error);
        ASSERT_TRUE(platform) << error;
    }
    void TearDown() override {
        platform.reset();
        ::unsetenv("SDL_VIDEODRIVER");
    }

    InputEvent pushKey(Uint32 type, SDL_Scancode code, Uint16 mod) {
        SDL_Event sdl{};
        sdl.type = type;
        sdl.key.keysym.scancode = code;
        sdl.key.keysym.mod = mod;
        SDL_PushEvent(&sdl);
        return next();
    }

    // SDL may hand a pushed event over only on a later poll; the loop polls all the time.
    InputEvent next() {
        InputEvent event;
        bool got = false;
        for (int i = 0; i < 100 && !got; ++i) got = platform->pollEvent(event);
        EXPECT_TRUE(got);
        return event;
    }

    std::unique_ptr<Platform> platform;
};

TEST_F(SdlInput, AltHeldAltItselfAndF10AreSystemKeys) {
    EXPECT_FALSE(pushKey(SDL_KEYDOWN, SDL_SCANCODE_A, KMOD_NONE).systemKey);
    EXPECT_FALSE(pushKey(SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LSHIFT).systemKey);
    EXPECT_TRUE(pushKey(SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LALT).systemKey);
    EXPECT_TRUE(pushKey(SDL_KEYDOWN, SDL_SCANCODE_TAB, KMOD_RALT).systemKey);
    EXPECT_TRUE(pushKey(SDL_KEYDOWN, SDL_SCANCODE_LALT, KMOD_NONE).systemKey);
    EXPECT_TRUE(pushKey(SDL_KEYDOWN, SDL_SCANCODE_F10, KMOD_NONE).systemKey);
    InputEvent up = pushKey(SDL_KEYUP, SDL_SCANCODE_A, KMOD_NONE);
    EXPECT_EQ(up.type, EventType::KeyUp);
    EXPECT_EQ(up.keyCode, SDL_SCANCODE_A);
}

TEST_F(SdlInput, ButtonsQuitAndIgnoredEvents) {
    SDL_Event sdl{};
    sdl.type = SDL_MOUSEBUTTONDOWN;
    sdl.button.button = SDL_BUTTON_MIDDLE;
    SDL_PushEvent(&sdl);
    InputEvent event = next();
    EXPECT_EQ(event.type, EventType::ButtonDown);
    EXPECT_EQ(event.button, MouseButton::Middle);

    // A window manager's close request is swallowed; a quit request is passed on.
    sdl = SDL_Event{};
    sdl.type = SDL_WINDOWEVENT;
    sdl.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&sdl);
    sdl = SDL_Event{};
    sdl.type = SDL_QUIT;
    SDL_PushEvent(&sdl);
    EXPECT_EQ(next().type, EventType::Quit);
    EXPECT_FALSE(platform->pollEvent(event));
}

TEST_F(SdlInput, NoWindowMeansNoGammaAndNoSwap) {
    GammaRamp ramp{};
    EXPECT_FALSE(platform->gammaRamp(ramp));
    EXPECT_FALSE(platform->setGammaRamp(ramp));
    EXPECT_FALSE(platform->swapIntervalSettable());
    platform->swapBuffers();
    EXPECT_EQ(platform->mainWindowRect().width(), 0);
}

}  // namespace
}  // namespace tarnel::platform
