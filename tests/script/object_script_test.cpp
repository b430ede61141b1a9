#include "script/object_script.h"

#include "assets/loading_tick.h"
#include "tests/script/script_shelf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Reads a script from text and counts the loading ticks it sends.
int ticksOf(const std::string& text) {
    int ticks = 0;
    tarnel::setLoadingTickHandler([&ticks] { ++ticks; });
    tarnel::MemoryFile file;
    tarnel::test::openText(file, "objects.txt", text);
    tarnel::ObjectList target;
    tarnel::readObjectScript(target, file);
    tarnel::setLoadingTickHandler(nullptr);
    return ticks;
}

}  // namespace

TEST(ObjectScript, EveryKindOfBlockIsReadToItsEndWithOneTick) {
    EXPECT_EQ(ticksOf("sphere\nbegin sun\nradius 3\nend\n"
                      "billboard\nbegin\nend\n"
                      "flare\nbegin\nend\n"
                      "mesh\nbegin ship\nend\n"
                      "flame\nbegin\nend\n"
                      "ps\nbegin\nend\nENDWORLD\n"),
              6);
}

TEST(ObjectScript, LinesInsideABlockNeverOpenBlocks) {
    // Lines before "begin" are skipped, an early "end" among them; after "begin" only the
    // first "end" closes the block, however the lines between look.
    EXPECT_EQ(ticksOf("sphere\nend\nsphere\nbegin\nmesh\nps\nENDWORLD\nendless\nflare\nbegin\nend\nENDWORLD\n"), 2);
}

TEST(ObjectScript, OtherLinesBetweenBlocksSendNoTick) {
    EXPECT_EQ(ticksOf("dir scenes\n\n   comment\ngeo\nSphere\n\tsphere\nENDWORLD\n"), 0);
}

TEST(ObjectScript, TerminatorEndsTheScript) {
    EXPECT_EQ(ticksOf("ENDWORLD\nsphere\nbegin\nend\n"), 0);
    EXPECT_EQ(ticksOf("  ENDWORLDS\r\nsphere\nbegin\nend\n"), 0);
}

TEST(ObjectScript, ScriptsThatEndEarlyStopAtTheEndOfTheData) {
    EXPECT_EQ(ticksOf(""), 0);
    EXPECT_EQ(ticksOf("sphere\nbegin\nend"), 1);
    EXPECT_EQ(ticksOf("sphere\nbegin\nradius 2\n"), 1);
    EXPECT_EQ(ticksOf("sphere\nradius 2"), 1);
}

TEST(ObjectScript, AStopAskedAtATickEndsTheScriptThere) {
    int ticks = 0;
    tarnel::setLoadingTickHandler([&ticks] {
        ++ticks;
        tarnel::stopLoading();
    });
    tarnel::MemoryFile file;
    tarnel::test::openText(file, "objects.txt", "sphere\nbegin a\nend\nsphere\nbegin b\nend\nENDWORLD\n");
    tarnel::ObjectList target;
    tarnel::readObjectScript(target, file);
    EXPECT_TRUE(tarnel::loadingStopped());
    tarnel::setLoadingTickHandler(nullptr);
    EXPECT_FALSE(tarnel::loadingStopped()) << "a new handler starts a new load";
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(target.size(), 1u);
}
