// tarnel-pack check: loads a package through the saver's own loaders, in an offscreen GL
// context, and lists what they skipped or substituted, plus what only the whole package
// shows (the world the saver starts with) and the music, which the saver hands its player.
#include "tools/pack_commands.h"

#include "assets/archive.h"
#include "assets/archive_cache.h"
#include "assets/findings.h"
#include "host/loaded_scene.h"
#include "host/scene_hooks.h"
#include "platform/message_box.h"
#include "platform/offscreen_gl.h"
#include "tools/music_check.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tarnel::pack {

namespace {

// The same member is read by several loaders (the sphere mesh four times): each finding is
// listed once, in the order first seen.
class FindingList {
public:
    std::vector<std::string> lines;
    std::set<std::string> seen;

    void add(const Finding& finding) {
        std::string text = formatFinding(finding);
        if (seen.insert(text).second) lines.push_back(std::move(text));
    }
};

void checkWholePackage(const LoadedScene& scene) {
    if (scene.current == nullptr)
        reportFinding("worlds.txt", 0, "no world named \"world\": the saver would draw cleared frames");
}

}  // namespace

int checkCommand(const Arguments& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        std::fprintf(stderr, "tarnel-pack check: expected one argument, the archive\n");
        return kExitUsage;
    }
    std::string error;
    LoadedArchive* loaded = loadArchive(args[0], &error);
    if (loaded == nullptr) {
        std::fprintf(stderr, "tarnel-pack check: %s\n", error.c_str());
        return kExitUsage;
    }
    std::unique_ptr<platform::OffscreenGl> gl = platform::OffscreenGl::create(64, 64, &error);
    if (!gl) {
        std::fprintf(stderr, "tarnel-pack check: no OpenGL context to load images into (%s)\n", error.c_str());
        return kExitUsage;
    }
    packageSource().path = args[0];
    // A missing picture is a finding here, not a box to click away.
    platform::setMessageBoxHandler([](const std::string&, const std::string&) {});
    FindingList findings;
    setFindingHandler([&findings](const Finding& finding) { findings.add(finding); });
    if (!loaded->archive.damage.empty()) reportFinding(args[0].c_str(), 0, loaded->archive.damage);
    loadScene();
    checkWholePackage(loadedScene());
    checkMusicMember();
    setFindingHandler(nullptr);
    for (const std::string& line : findings.lines) std::printf("%s\n", line.c_str());
    return findings.lines.empty() ? kExitOk : kExitFailed;
}

}  // namespace tarnel::pack
