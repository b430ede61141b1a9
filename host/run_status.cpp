// A run's output against what it was asked for: the package it drew from and the file it wrote.
#include "host/run_status.h"

#include "assets/archive_cache.h"
#include "host/bench_record.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace tarnel {

namespace {

// A run that renders or measures needs the scene: the saver itself runs on without its
// package, but a picture or figures of an empty scene are a failure. False, said why.
bool packageWasOpened() {
    std::string why;
    if (loadArchive(packageSource().path, &why)) return true;
    std::fprintf(stderr, "tarnel: no scene was loaded: %s\n", why.c_str());
    return false;
}

}  // namespace

int saverRunStatus(const SaverRunResult& result, const RunOptions& options) {
    int status = 0;
    if ((!options.renderPath.empty() || options.bench) && !packageWasOpened()) status = 1;
    if (options.bench && status == 0) writeBenchReport(benchRecord(), options.json, std::cout);
    if (!options.renderPath.empty() && !result.renderWritten) {
        if (!result.renderError.empty())
            std::fprintf(stderr, "tarnel: could not write %s: %s\n", options.renderPath.c_str(),
                         result.renderError.c_str());
        else
            std::fprintf(stderr, "tarnel: no frame was drawn whole, so %s was not written\n",
                         options.renderPath.c_str());
        status = 1;
    }
    return status;
}

}  // namespace tarnel
