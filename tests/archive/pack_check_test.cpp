// tarnel-pack check on small packages, each damaged one way: the findings it lists, exactly.
// The clean package has a texture of each kind, the two fixed meshes, one world whose script
// holds a sphere with a satellite, a lens flare, a billboard and a particle system, and music.
#include "tests/archive/rar_test_support.h"
#include "tests/assets/mesh_fixtures.h"
#include "tests/support/tool_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <sstream>

namespace {

using tarnel::testing::Bytes;
using tarnel::testing::operator+;
using Members = std::map<std::string, Bytes>;
using Findings = std::vector<std::string>;

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

const char* const kScript =
    "sphere\nbegin sun\nradius 3\ntexture textures\\a.jpg\nend\n"
    "sphere\nbegin moon\nsys\nparent sun\nend\n"
    "flare\nbegin\nsize 4\ntexture textures\\a.jpg\nlenseffect\n\tsize 5\n\ttexture textures\\a.jpg\n"
    "\ttexture textures\\b.tga\n\ttexture textures\\a.jpg\nend\n"
    "billboard\nbegin\nsize 9\nend\n"
    "ps\nbegin\nline\ndens 40\nend\n"
    "geometry meshes\\model.dat\n"
    "ENDWORLD\n";

Members cleanPackage() {
    Members m;
    m["texture.txt"] = text("a.jpg\nb.tga\nEND_TEXT\n");
    m["textures/a.jpg"] = tarnel::test::readBytes(std::string(TARNEL_TEST_DATA) + "/jpeg/bands.jpg");
    m["textures/b.tga"] = tarnel::testing::tgaHeader(2, 32, 1, 1) + Bytes{10, 20, 30, 40};
    const Bytes mesh = tarnel::testing::meshBytes(tarnel::testing::oneTriangle());
    m["meshes/env.dat"] = mesh;
    m["meshes/sphere.dat"] = mesh;
    m["meshes/model.dat"] = mesh;
    m["env.txt"] = text("env deep\nend\nENV_END\n");
    m["worlds.txt"] = text("world world\nenv deep\nobjects o.txt\nend\nWORLD_END\n");
    m["o.txt"] = text(kScript);
    m["music.ogg"] = tarnel::test::readBytes(std::string(TARNEL_TEST_DATA) + "/ogg/tone.ogg");
    return m;
}

// The script with one line replaced: every line that reads exactly `from` becomes `to`
// (several lines when `to` holds line breaks, none when it is empty).
void editScript(Members& m, const std::string& from, const std::string& to) {
    std::istringstream lines(kScript);
    std::string edited;
    for (std::string line; std::getline(lines, line);) {
        if (line != from)
            edited += line + "\n";
        else if (!to.empty())
            edited += to + "\n";
    }
    m["o.txt"] = text(edited);
}

// The one-triangle mesh with its first position's x set to value.
Bytes meshWithX(float value) {
    tarnel::testing::MeshSpec spec = tarnel::testing::oneTriangle();
    spec.positions[0][0] = value;
    return tarnel::testing::meshBytes(spec);
}

struct Damage {
    const char* name;
    std::function<void(Members&)> apply;
    Findings expected;
};

const Damage kDamages[] = {
    {"clean", [](Members&) {}, {}},
    {"lens texture not in the table",
     [](Members& m) { editScript(m, "\ttexture textures\\b.tga", "\ttexture textures\\ghost.tga"); },
     {"o.txt:18: lens texture \"textures\\ghost.tga\" is not in \"texture.txt\": lens slot 1 stays empty and its "
      "ghosts or streaks are left out"}},
    {"music missing", [](Members& m) { m.erase("music.ogg"); },
     {"music.ogg: cannot read \"music.ogg\": no member \"music.ogg\" in archive \"ARCHIVE\""}},
    {"music empty", [](Members& m) { m["music.ogg"].clear(); },
     {"music.ogg: the member is empty: the saver plays no music"}},
    {"music not Vorbis", [](Members& m) { m["music.ogg"] = text("ID3 and then some bytes that are no Ogg stream"); },
     {"music.ogg: the member has no Ogg Vorbis headers: the saver plays no music"}},
    {"music cut short", [](Members& m) { m["music.ogg"].resize(m["music.ogg"].size() - 100); },
     {"music.ogg: the Ogg stream is cut short: it breaks off 1.87 s in without its last page, and the loop starts "
      "again there"}},
    {"mesh too short for its header", [](Members& m) { m["meshes/model.dat"] = Bytes{3, 0, 0, 0, 1}; },
     {"o.txt:30: mesh \"meshes\\model.dat\" has 5 bytes, too few for its 12-byte header; it draws nothing"}},
    {"mesh too short for its sections",
     [](Members& m) { m["meshes/model.dat"].resize(100); },
     {"o.txt:30: mesh \"meshes\\model.dat\": header says 3 vertices, 1 triangles and 3 texture coordinates (132 "
      "bytes) but the member has 100 bytes; it draws nothing"}},
    {"NaN vertex", [](Members& m) { m["meshes/model.dat"] = meshWithX(NAN); },
     {"o.txt:30: mesh \"meshes\\model.dat\": 1 triangle(s) with NaN or infinite values dropped"}},
    {"infinite vertex in a fixed mesh", [](Members& m) { m["meshes/env.dat"] = meshWithX(INFINITY); },
     {"meshes\\env.dat: mesh \"meshes\\env.dat\": 1 triangle(s) with NaN or infinite values dropped"}},
    {"sys sphere without a parent", [](Members& m) { editScript(m, "parent sun", ""); },
     {"o.txt:6: \"sys\" sphere without a \"parent\" line is not drawn"}},
    {"sys billboard without a parent", [](Members& m) { editScript(m, "size 9", "size 9\nsys"); },
     {"o.txt:21: \"sys\" billboard without a \"parent\" line is not drawn"}},
    {"clamped particle count", [](Members& m) { editScript(m, "dens 40", "dens 2147483647"); },
     {"o.txt:28: dens 2147483647 is outside 0..256: the system has 256 particles"}},
    {"block cut short by an early end", [](Members& m) { editScript(m, "radius 3", "end\nradius 3"); },
     {"o.txt:4: \"radius\" line after the block's \"end\" at line 3: the block ended early and this line is skipped"}},
    {"TGA shorter than its header says",
     [](Members& m) { m["textures/b.tga"] = tarnel::testing::tgaHeader(10, 32, 0xFFFF, 0xFFFF) + Bytes(16, 1); },
     {"texture.txt:2: image \"textures\\b.tga\": TGA header says 65535x65535 but the member has 34 bytes"}},
};

Findings findingLines(const std::string& output, const std::string& archive) {
    Findings lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        // The archive's path changes from run to run.
        for (std::size_t at; (at = line.find(archive)) != std::string::npos;) line.replace(at, archive.size(), "ARCHIVE");
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(PackageCheck, ListsTheOneFindingOfEachKindOfDamage) {
    for (const Damage& damage : kDamages) {
        tarnel::test::TempDir dir("check");
        Members members = cleanPackage();
        damage.apply(members);
        for (const auto& [path, bytes] : members) {
            std::filesystem::create_directories((dir.path() / "src" / path).parent_path());
            tarnel::test::writeBytes(dir.path() / "src" / path, bytes);
        }
        const std::filesystem::path archive = dir.path() / "data.sdd";
        ASSERT_EQ(tarnel::test::pack("build " + tarnel::test::quote(dir.path() / "src") + " -o " +
                                     tarnel::test::quote(archive)).status, 0);
        tarnel::test::ToolRun check = tarnel::test::pack("check " + tarnel::test::quote(archive));
        EXPECT_EQ(findingLines(check.output, archive.string()), damage.expected) << damage.name;
        EXPECT_EQ(check.status, damage.expected.empty() ? 0 : 1) << damage.name;
    }
}
