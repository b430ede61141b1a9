// tarnel-content: writes the default data package's members as files under OUTDIR.
//   tarnel-content OUTDIR [--scripts DIR] [--preview DIR]
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "content/package.h"

#ifndef TARNEL_CONTENT_SCRIPTS
#define TARNEL_CONTENT_SCRIPTS "content/scripts"
#endif

int main(int argc, char** argv) {
    std::string outDir, previewDir, scriptsDir = TARNEL_CONTENT_SCRIPTS;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--preview" && i + 1 < argc)
            previewDir = argv[++i];
        else if (arg == "--scripts" && i + 1 < argc)
            scriptsDir = argv[++i];
        else if (outDir.empty() && arg[0] != '-')
            outDir = arg;
        else {
            std::fprintf(stderr, "tarnel-content: unexpected argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (outDir.empty()) {
        std::fprintf(stderr, "usage: tarnel-content OUTDIR [--scripts DIR] [--preview DIR]\n");
        return 2;
    }
    try {
        auto start = std::chrono::steady_clock::now();
        content::Package package = content::buildPackage(scriptsDir);
        content::writePackage(package, outDir);
        if (!previewDir.empty()) content::writePreviews(package.textures, previewDir);
        size_t bytes = 0;
        for (const content::Member& m : package.members) bytes += m.bytes.size();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("tarnel-content: %zu members, %zu bytes, %.1f s\n", package.members.size(), bytes, seconds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarnel-content: %s\n", e.what());
        return 1;
    }
    return 0;
}
