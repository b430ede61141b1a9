// The bench figures: summary statistics, exclusive load-step timing and the --bench defaults.
#include "assets/load_timing.h"
#include "host/bench_record.h"
#include "host/options.h"

#include <gtest/gtest.h>

#include <thread>

namespace tarnel {
namespace {

TEST(BenchSummary, MeanMedianAndNearestRankPercentile) {
    struct Case { std::vector<double> values; double mean, median, p99; };
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) hundred.push_back(i);
    const Case cases[] = {
        {{}, 0, 0, 0},
        {{4}, 4, 4, 4},
        {{3, 1, 2, 10}, 4, 2.5, 10},
        {hundred, 50.5, 50.5, 99},
    };
    for (const Case& c : cases) {
        Summary s = summarise(c.values);
        EXPECT_DOUBLE_EQ(s.mean, c.mean);
        EXPECT_DOUBLE_EQ(s.median, c.median);
        EXPECT_DOUBLE_EQ(s.p99, c.p99);
    }
}

TEST(LoadTiming, NestedStepIsChargedOnlyToTheInnerStep) {
    LoadTiming& timing = loadTiming();
    timing.enabled = true;
    timing.start();
    {
        ScopedLoadStep scripts(LoadStep::Scripts);
        ScopedLoadStep archive(LoadStep::Archive);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    timing.switchTo(LoadStep::Other);
    timing.enabled = false;
    EXPECT_GE(timing.seconds[static_cast<int>(LoadStep::Archive)], 0.02);
    EXPECT_LT(timing.seconds[static_cast<int>(LoadStep::Scripts)], 0.01);
    EXPECT_EQ(timing.current, LoadStep::Other);
    {
        ScopedLoadStep off(LoadStep::Meshes);  // switched off: nothing is charged
        EXPECT_EQ(timing.current, LoadStep::Other);
    }
}

TEST(BenchOption, RunsOffscreenWithAFixedSeedAndFrameCountUnlessGiven) {
    OptionParse plain = parseRunOptions({"tarnel", "--bench", "--json"}, nullptr);
    EXPECT_TRUE(plain.options.headless && plain.options.json && plain.options.impliesSaver());
    EXPECT_EQ(plain.options.seed, 3u);
    EXPECT_EQ(plain.options.frames, 300);
    OptionParse given = parseRunOptions({"tarnel", "--bench", "--seed", "9", "--frames", "50"}, nullptr);
    EXPECT_EQ(given.options.seed, 9u);
    EXPECT_EQ(given.options.frames, 50);
}

}  // namespace
}  // namespace tarnel
