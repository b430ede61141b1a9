#include "script/line_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

using tarnel::scanValues;
using tarnel::startsWithKeyword;

namespace {

// One line scanned with a format of up to five floats: how many values it yields and what
// they are. Fields not assigned keep the sentinel -7.
struct FloatCase {
    const char* line;
    const char* format;
    int count;
    std::vector<float> values;
};

constexpr float kUnset = -7.0f;

const FloatCase kFloatCases[] = {
    {"radius 12.5", "radius %f", 1, {12.5f}},
    {"radius12.5", "radius %f", 1, {12.5f}},                     // a format space matches none
    {"radius \t  -3", "radius %f", 1, {-3.0f}},
    {"radius +.5e2", "radius %f", 1, {50.0f}},
    {"radius 1.5E-1", "radius %f", 1, {0.15f}},
    {"radius 7.", "radius %f", 1, {7.0f}},
    {"radius 2e", "radius %f", 1, {2.0f}},                       // marker without digits is left
    {"radius", "radius %f", 0, {}},
    {"radius abc", "radius %f", 0, {}},
    {"radius .", "radius %f", 0, {}},
    {"radius -", "radius %f", 0, {}},
    {"radius inf", "radius %f", 0, {}},                          // decimal numbers only
    {"radius 1e999", "radius %f", 0, {}},                        // beyond a float
    {"radius 1e-999", "radius %f", 1, {0.0f}},                   // too small reads as zero
    {"Radius 3", "radius %f", 0, {}},                            // literals are case-sensitive
    {"position V(1 2 3)", "position V(%f %f %f)", 3, {1, 2, 3}},
    {"position V(1 2 3", "position V(%f %f %f)", 3, {1, 2, 3}},  // missing ")"
    {"position V(1 2 3]", "position V(%f %f %f)", 3, {1, 2, 3}},
    {"position V(-1.5,2 3)", "position V(%f %f %f)", 1, {-1.5f}},
    {"position V( 1   2\t3 )", "position V(%f %f %f)", 3, {1, 2, 3}},
    {"position V(1 x 3)", "position V(%f %f %f)", 1, {1}},       // stops at the mismatch
    {"position (1 2 3)", "position V(%f %f %f)", 0, {}},         // a vector without "V("
    {"position V (1 2 3)", "position V(%f %f %f)", 0, {}},
    {"position V(1 2", "position V(%f %f %f)", 2, {1, 2}},
    {"rotation V(0 1 0) 23.5 0.2", "rotation V(%f %f %f) %f %f", 5, {0, 1, 0, 23.5f, 0.2f}},
    {"rotation V(0 1 0 23.5 0.2", "rotation V(%f %f %f) %f %f", 3, {0, 1, 0}},
    {"rotation V(0 1 0)23.5 0.2", "rotation V(%f %f %f) %f %f", 5, {0, 1, 0, 23.5f, 0.2f}},
    {"rotation 10 0.5", "rotation %f %f", 2, {10, 0.5f}},
    {"orient V(1 0 0) 90", "orient V(%f %f %f) %f", 4, {1, 0, 0, 90}},
    {"oreol V(1 2 3) 4", "oreol V(%f %f %f) %f", 4, {1, 2, 3, 4}},
    {"\tsize 3", "\tsize %f", 1, {3}},
    {"      size 3", "\tsize %f", 1, {3}},                       // the tab stands for any space
    {"size 3", "\tsize %f", 1, {3}},
    {"flash 1 2 3)", "flash %f %f %f)", 3, {1, 2, 3}},
    {"flash 1 2 3", "flash %f %f %f)", 3, {1, 2, 3}},            // the ")" may be missing
    {"flash 0.5)", "flash %f)", 1, {0.5f}},
    {"lumin 0.5", "lumin %f)", 1, {0.5f}},
    {"focus 2)", "focus %f)", 1, {2}},
    {"alpha 1 fade: 0.1 0.05", "alpha %f fade: %f %f", 3, {1, 0.1f, 0.05f}},
    {"alpha 1 fade 0.1 0.05", "alpha %f fade: %f %f", 1, {1}},
    {"alpha 1fade:0.1 0.05", "alpha %f fade: %f %f", 3, {1, 0.1f, 0.05f}},
    {"quaternion Q(0 0 0 1)", "quaternion Q(%f %f %f %f)", 4, {0, 0, 0, 1}},
    {"quaternion Q(0 0 0 1", "quaternion Q(%f %f %f %f)", 4, {0, 0, 0, 1}},
    {"time 10", "time %f", 1, {10}},
    {"color V(1 .5 0)", "color V(%f %f %f)", 3, {1, 0.5f, 0}},
    {"point1 V(1 2 3)", "point1 V(%f %f %f)", 3, {1, 2, 3}},
};

}  // namespace

TEST(LineScan, FloatFormatsYieldTheirValuesAndStopAtTheFirstMismatch) {
    for (const FloatCase& c : kFloatCases) {
        SCOPED_TRACE(std::string("line \"") + c.line + "\" format \"" + c.format + "\"");
        float v[5] = {kUnset, kUnset, kUnset, kUnset, kUnset};
        int count = scanValues(c.line, c.format, v[0], v[1], v[2], v[3], v[4]);
        EXPECT_EQ(count, c.count);
        for (int i = 0; i < 5; ++i) {
            float expected = i < static_cast<int>(c.values.size()) ? c.values[i] : kUnset;
            EXPECT_FLOAT_EQ(v[i], expected) << "value " << i;
        }
    }
}

TEST(LineScan, WordsEndAtWhiteSpaceAndAreCutToTheirField) {
    char word[8];
    EXPECT_EQ(scanValues("texture textures\\c.jpg trailing", "texture %s", word), 1);
    EXPECT_STREQ(word, "texture");  // cut to seven characters

    char wide[32];
    EXPECT_EQ(scanValues("texture \ttextures\\c.jpg trailing", "texture %s", wide), 1);
    EXPECT_STREQ(wide, "textures\\c.jpg");

    char name[20];
    std::memset(name, 'z', sizeof name);
    EXPECT_EQ(scanValues("world abcdefghijklmnopqrstuvwxyz", "world %s", name), 1);
    EXPECT_EQ(std::strlen(name), 19u);
    EXPECT_STREQ(name, "abcdefghijklmnopqrs");

    std::strcpy(name, "kept");
    EXPECT_EQ(scanValues("world   ", "world %s", name), 0);  // no word: the field keeps its value
    EXPECT_STREQ(name, "kept");
    EXPECT_EQ(scanValues("worlds x", "world %s", name), 1);   // the keyword is a prefix only
    EXPECT_STREQ(name, "s");
}

TEST(LineScan, WordsCutToTheirFieldLetTheScanGoOnAfterTheWholeWord) {
    char name[4];
    float v[3] = {kUnset, kUnset, kUnset};
    EXPECT_EQ(scanValues("parent sunlight V(1 2 3)", "parent %s V(%f %f %f)", name, v[0], v[1], v[2]), 4);
    EXPECT_STREQ(name, "sun");
    EXPECT_FLOAT_EQ(v[2], 3.0f);
}

TEST(LineScan, IntegersTakeNoFractionAndRejectOverflow) {
    int dens = 5;
    EXPECT_EQ(scanValues("dens 120", "dens %d", dens), 1);
    EXPECT_EQ(dens, 120);
    EXPECT_EQ(scanValues("dens -3.7", "dens %d", dens), 1);
    EXPECT_EQ(dens, -3);
    EXPECT_EQ(scanValues("dens 2147483647", "dens %d", dens), 1);
    EXPECT_EQ(dens, 2147483647);
    EXPECT_EQ(scanValues("dens -2147483648", "dens %d", dens), 1);
    EXPECT_EQ(dens, -2147483647 - 1);
    dens = 9;
    EXPECT_EQ(scanValues("dens 2147483648", "dens %d", dens), 0);
    EXPECT_EQ(scanValues("dens 99999999999999999999999", "dens %d", dens), 0);
    EXPECT_EQ(scanValues("dens .5", "dens %d", dens), 0);
    EXPECT_EQ(dens, 9);
}

TEST(LineScan, ConversionsThatDoNotFitTheirTargetStopTheScan) {
    float f = kUnset;
    int i = 0;
    EXPECT_EQ(scanValues("size 3", "size %d", f), 0);
    EXPECT_EQ(scanValues("size 3", "size %f %f", f), 1);  // a second target is missing
    EXPECT_EQ(scanValues("size 3", "size %x", i), 0);
    EXPECT_EQ(scanValues("size 3", "size %", f), 0);
    EXPECT_EQ(scanValues("50% 2", "50%% %f", f), 1);
    EXPECT_FLOAT_EQ(f, 2.0f);
    EXPECT_EQ(scanValues(nullptr, "size %f", f), 0);
}

TEST(LineScan, KeywordsArePrefixesComparedWithCase) {
    struct Case {
        const char* line;
        const char* keyword;
        bool matches;
    } cases[] = {
        {"orient off", "orient off", true},
        {"orient offset", "orient off", true},  // more letters after the keyword still match
        {"orient", "orient off", false},
        {"orient  off", "orient off", false},
        {"systemic", "system", true},
        {"syste", "system", false},
        {"System", "system", false},
        {"endless", "end", true},
        {"WORLD_END", "world", false},
        {"world", "WORLD_END", false},
        {"ENV_END", "env", false},
        {"envelope", "env", true},
        {"\tmetal", "\tmetal", true},
        {"metal", "\tmetal", false},         // a sub-line indented with spaces loses its indent
        {"\t\tmetal", "\tmetal", false},
        {"", "end", false},
        {"anything", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(startsWithKeyword(c.line, c.keyword), c.matches) << c.line << " / " << c.keyword;
    }
    EXPECT_FALSE(startsWithKeyword(nullptr, "end"));
}
