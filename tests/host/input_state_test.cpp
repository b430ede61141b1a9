#include "host/input_state.h"
#include "host/timers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarnel {
namespace {

using platform::EventType;
using platform::InputEvent;
using platform::MouseButton;

constexpr int kCentreX = 512;
constexpr int kCentreY = 384;

InputEvent key(EventType type, int code, bool system = false) {
    InputEvent e;
    e.type = type;
    e.keyCode = code;
    e.systemKey = system;
    return e;
}

InputEvent click(MouseButton button) {
    InputEvent e;
    e.type = EventType::ButtonDown;
    e.button = button;
    return e;
}

InputEvent move(int dx, int dy) {
    InputEvent e;
    e.type = EventType::MouseMove;
    e.x = kCentreX + dx;
    e.y = kCentreY + dy;
    return e;
}

// One frame's exit tests as the loop runs them.
bool frameStops(InputState& input, bool mouseExit) {
    input.consumeMouse();
    return input.shouldStop(mouseExit);
}

TEST(ExitRules, AnyKeyStopsAndKeyStateFollowsPressAndRelease) {
    InputState input;
    EXPECT_FALSE(input.shouldStop(false));
    input.handleEvent(key(EventType::KeyDown, 44), kCentreX, kCentreY);
    EXPECT_TRUE(input.shouldStop(false));
    EXPECT_EQ(input.keyDown[44], 1);
    input.handleEvent(key(EventType::KeyUp, 44), kCentreX, kCentreY);
    EXPECT_EQ(input.keyDown[44], 0);
    EXPECT_TRUE(input.shouldStop(false)) << "the stop entry stays set";
}

TEST(ExitRules, SystemKeysDoNotStop) {
    InputState input;
    input.handleEvent(key(EventType::KeyDown, 226, true), kCentreX, kCentreY);  // Alt
    input.handleEvent(key(EventType::KeyDown, 61, true), kCentreX, kCentreY);   // Alt+F4
    input.handleEvent(key(EventType::KeyDown, 67, true), kCentreX, kCentreY);   // F10
    EXPECT_FALSE(input.shouldStop(true));
}

TEST(ExitRules, KeyCodesOutsideTheTableAreSafe) {
    InputState input;
    input.handleEvent(key(EventType::KeyDown, 300), kCentreX, kCentreY);
    input.handleEvent(key(EventType::KeyDown, -1), kCentreX, kCentreY);
    EXPECT_TRUE(input.shouldStop(false));
    EXPECT_EQ(std::count(input.keyDown.begin() + 1, input.keyDown.end(), 1), 0);
}

TEST(ExitRules, LeftAndRightClicksStopTheMiddleOneDoesNot) {
    InputState middle;
    middle.handleEvent(click(MouseButton::Middle), kCentreX, kCentreY);
    middle.handleEvent(click(MouseButton::Other), kCentreX, kCentreY);
    EXPECT_FALSE(middle.shouldStop(true));
    for (MouseButton button : {MouseButton::Left, MouseButton::Right}) {
        InputState input;
        input.handleEvent(click(button), kCentreX, kCentreY);
        EXPECT_TRUE(input.shouldStop(false));
    }
}

TEST(ExitRules, AQuitRequestStops) {
    InputState input;
    input.handleEvent(InputEvent{}, kCentreX, kCentreY);
    EXPECT_TRUE(input.quit);
    EXPECT_TRUE(input.shouldStop(false));
}

TEST(ExitRules, MouseTravelBeyondTheThresholdStopsOnlyWithMouseExit) {
    InputState off;
    off.handleEvent(move(30, 0), kCentreX, kCentreY);
    EXPECT_TRUE(off.consumeMouse()) << "the cursor is pulled back even with MouseExit off";
    EXPECT_FALSE(off.shouldStop(false));

    InputState on;
    on.handleEvent(move(30, 0), kCentreX, kCentreY);
    EXPECT_TRUE(frameStops(on, true));
    EXPECT_FLOAT_EQ(on.mouseTravel, 9.0f);
}

TEST(ExitRules, MovesLeftOrUpCountAsTravel) {
    for (auto [dx, dy] : {std::pair{-30, 0}, std::pair{0, -30}, std::pair{-12, -12}}) {
        InputState input;
        input.handleEvent(move(dx, dy), kCentreX, kCentreY);
        EXPECT_TRUE(frameStops(input, true)) << dx << "," << dy;
    }
    // Back and forth does not cancel out.
    InputState input;
    input.handleEvent(move(15, 0), kCentreX, kCentreY);
    EXPECT_FALSE(frameStops(input, true));
    input.handleEvent(move(-15, 0), kCentreX, kCentreY);
    EXPECT_TRUE(frameStops(input, true));
}

TEST(ExitRules, TravelAtTheThresholdDoesNotStopAndOnlyTheLastMoveCounts) {
    InputState input;
    // Each move overwrites the last offset; only the one waiting at the frame counts.
    input.handleEvent(move(100, 100), kCentreX, kCentreY);
    input.handleEvent(move(0, 0), kCentreX, kCentreY);
    EXPECT_FALSE(input.consumeMouse());
    input.mouseTravel = 7.0f;
    EXPECT_FALSE(input.shouldStop(true));
    input.mouseTravel = 7.01f;
    EXPECT_TRUE(input.shouldStop(true));
}

TEST(ExitRules, SlowDriftIsForgivenByTheOneSecondReset) {
    InputState input;
    SecondPeriod period;
    const std::uint64_t frequency = 1000;
    period.start(0);
    std::uint64_t now = 0;
    // A 20 px nudge (6.0 travel) every 1.2 s for twelve seconds, one frame every 100 ms.
    for (int frame = 0; frame < 120; ++frame) {
        if (frame % 12 == 0) input.handleEvent(move(frame % 24 == 0 ? 20 : -20, 0), kCentreX, kCentreY);
        ASSERT_FALSE(frameStops(input, true)) << frame;
        now += 100;
        if (period.countFrame(now, 1.0 / frequency)) input.mouseTravel = 0.0f;
    }
    EXPECT_GE(period.framesPerSecond, 10);
}

TEST(Timers, FrameTimerMeasuresSecondsBetweenReadingsUpToTheStallBound) {
    FrameTimer timer;
    timer.start(1000000000u, 5000000000u);
    EXPECT_DOUBLE_EQ(timer.next(5200000000u), 0.2);
    EXPECT_DOUBLE_EQ(timer.next(5200000000u), 0.0);
    EXPECT_DOUBLE_EQ(timer.next(5450000000u), kStallBoundSeconds) << "exactly the bound";
    EXPECT_EQ(timer.lastCount, 5450000000u);
    // An hour stopped (a paused machine, SIGSTOP) is one bounded step; the next frame is
    // measured from the end of the stall, not its start.
    const std::uint64_t hour = 3600u * 1000000000ull;
    EXPECT_DOUBLE_EQ(timer.next(5450000000u + hour), kStallBoundSeconds);
    EXPECT_DOUBLE_EQ(timer.measured, 3600.0);
    EXPECT_DOUBLE_EQ(timer.next(5460000000u + hour), 0.01);
}

TEST(Timers, SecondPeriodRollsOverAfterMoreThanOneSecond) {
    SecondPeriod period;
    period.start(0);
    EXPECT_FALSE(period.countFrame(500, 0.001));
    EXPECT_FALSE(period.countFrame(1000, 0.001)) << "exactly one second is not more";
    EXPECT_TRUE(period.countFrame(1001, 0.001));
    EXPECT_EQ(period.framesPerSecond, 3);
    EXPECT_EQ(period.frames, 0);
}

TEST(Timers, SpeedScaleSpansHalfToTwoAndAHalf) {
    EXPECT_FLOAT_EQ(speedScaleFor(0), 0.5f);
    EXPECT_FLOAT_EQ(speedScaleFor(50), 1.5f);
    EXPECT_FLOAT_EQ(speedScaleFor(100), 2.5f);
}

}  // namespace
}  // namespace tarnel
