// What the script readers report while they read: each case is one member given as text and
// the findings it must give, exactly and in order.
#include "assets/findings.h"
#include "script/environment.h"
#include "script/object_script.h"
#include "script/world.h"
#include "tests/script/script_shelf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Findings = std::vector<std::string>;

enum class Reader { Worlds, Environments, Objects };

struct Case {
    Reader reader;
    const char* text;
    Findings expected;
};

Findings findingsOf(const Case& c) {
    Findings findings;
    tarnel::setFindingHandler([&findings](const tarnel::Finding& f) { findings.push_back(tarnel::formatFinding(f)); });
    tarnel::MemoryFile file;
    tarnel::test::ScriptShelf shelf;
    tarnel::EnvironmentList environments;
    tarnel::MemoryFile envFile;
    tarnel::test::openText(envFile, "env.txt", "env deep\nend\nENV_END\n");
    tarnel::parseEnvironments(environments, envFile, shelf.loader());
    switch (c.reader) {
        case Reader::Worlds: {
            tarnel::test::openText(file, "worlds.txt", c.text);
            tarnel::WorldList worlds;
            tarnel::parseWorlds(worlds, environments, file, shelf.loader());
            break;
        }
        case Reader::Environments: {
            tarnel::test::openText(file, "env.txt", c.text);
            tarnel::EnvironmentList read;
            tarnel::parseEnvironments(read, file, shelf.loader());
            break;
        }
        case Reader::Objects: {
            tarnel::test::openText(file, "o.txt", c.text);
            tarnel::ObjectList target;
            tarnel::readObjectScript(target, file, [](tarnel::MemoryFile&, const char*) { return 0; });
            break;
        }
    }
    tarnel::setFindingHandler(nullptr);
    return findings;
}

const std::string kLongLine = "radius 1 " + std::string(130, '0');

const Case kCases[] = {
    {Reader::Worlds, "world world\nenv deep\nend\nWORLD_END\n", {}},
    {Reader::Worlds, "world world\nenv shallow\nend\nWORLD_END\n",
     {"worlds.txt:2: environment \"shallow\" is not defined in the environment file"}},
    {Reader::Worlds, "world a_name_of_twenty_one\nobjectz x.txt\nend\n",
     {"worlds.txt:1: world name \"a_name_of_twenty_one\" is longer than its 19 characters",
      "worlds.txt:2: \"objectz\" is no keyword here; did you mean \"objects\"?",
      "worlds.txt:4: world file ends without \"WORLD_END\""}},
    {Reader::Environments, "env deep\nfirstpas sky.txt\nthis pass is a comment\n",
     {"env.txt:2: \"firstpas\" is no keyword here; did you mean \"firstpass\"?",
      "env.txt:4: block ends without \"end\"", "env.txt:4: environment file ends without \"ENV_END\""}},
    {Reader::Objects, "A comment.\nsphere\nbegin sun\nradius 3\nend\nENDWORLD\n", {}},
    {Reader::Objects, "sphere\nbegin a_very_long_sphere_name\nRadius 3\nposition V(1 x 3)\nend\nSphrere\nENDWORLD\n",
     {"o.txt:2: name \"a_very_long_sphere_name\" is longer than its 14 characters",
      "o.txt:3: \"Radius\" is no keyword here; did you mean \"radius\"?",
      "o.txt:4: values do not scan as \"position V(%f %f %f)\" (1 of 3 read)",
      "o.txt:6: \"Sphrere\" is no keyword here; did you mean \"sphere\"?"}},
    {Reader::Objects, "sphere\nbegin sun\nparent moon\nend\nsphere\nradius 1\n",
     {"o.txt:3: parent \"moon\" is not defined before this block", "o.txt:7: block ends without \"begin\"",
      "o.txt:7: object script ends without \"ENDWORLD\""}},
    {Reader::Objects, "ps\nbegin\nline\ndens 2147483647\nend\nps\nbegin\ndens -3\nend\nps\nbegin\ndens 256\nend\nENDWORLD\n",
     {"o.txt:4: dens 2147483647 is outside 0..256: the system has 256 particles",
      "o.txt:8: dens -3 is outside 0..256: the system has 0 particles"}},
    {Reader::Objects,
     "flare\nbegin\nlenseffect\n\tsize 5\n\ttexture textures\\ghost.jpg\n\tnothing here\n\ttexture textures\\ring.jpg\nend\n"
     "ENDWORLD\n",
     {"o.txt:5: lens texture \"textures\\ghost.jpg\" is not in \"texture.txt\": lens slot 0 stays empty and its ghosts or streaks are left out",
      "o.txt:6: lens line is no \"texture\" line: lens slot 1 stays empty and its ghosts or streaks are left out",
      "o.txt:7: lens texture \"textures\\ring.jpg\" is not in \"texture.txt\": lens slot 2 stays empty and its ghosts or streaks are left out"}},
    {Reader::Objects,
     "sphere\nbegin sun\nend\nsphere\nbegin moon\nsys\nend\nsphere\nbegin probe\nsys\nparent sun\nend\n"
     "sphere\nbegin rock\nsys\nparent pluto\nend\nbillboard\nbegin\nsys\nend\nbillboard\nbegin\nsys\nparent sun V(0 0 0)\nend\n"
     "ENDWORLD\n",
     {"o.txt:4: \"sys\" sphere without a \"parent\" line is not drawn",
      "o.txt:16: parent \"pluto\" is not defined before this block",
      "o.txt:18: \"sys\" billboard without a \"parent\" line is not drawn"}},
    // An "end" too early, or a line that merely begins with "end", closes the block; its last
    // lines are then read between blocks and skipped. Comments that begin with a keyword are
    // not taken for keyword lines.
    {Reader::Objects,
     "sphere\nbegin sun\nradius 3\nend\nlight\nradius 4\nend\nradius of the sun above\nps\nbegin\n"
     "endless stream\ntime 2\nend\nflare\nbegin\nend\nsize of the glare\nENDWORLD\n",
     {"o.txt:5: \"light\" line after the block's \"end\" at line 4: the block ended early and this line is skipped",
      "o.txt:12: \"time\" line after the block's \"end\" at line 11: the block ended early and this line is skipped"}},
};

}  // namespace

TEST(ReaderFindings, EachReaderReportsWhatItSkipsAtTheLine) {
    for (const Case& c : kCases) EXPECT_EQ(findingsOf(c), c.expected) << c.text;
}

TEST(ReaderFindings, LinesLongerThanTheBufferAreReported) {
    const std::string text = "sphere\nbegin sun\n" + kLongLine + "\nend\nENDWORLD\n";
    EXPECT_EQ(findingsOf({Reader::Objects, text.c_str(), {}}),
              Findings{"o.txt:3: line longer than 127 characters"});
}
