#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "HostCommandLine.h"
#include "HostSession.h"

// `SpringBoard --serve`: the live phone. Boots the device root on the real clock with the
// apps, serves the page on 127.0.0.1, prints the page's address with its access token as the
// one line of standard output, and runs the phone on the main thread until SIGINT or
// SIGTERM, then ends every process it started.
struct ServeOptions {
    int port = 0;  // 0: a free port
    std::vector<std::string> apps;
    std::filesystem::path tools;        // where Preferences is
    std::filesystem::path pageFolder;   // the page's files
    std::filesystem::path defaultRoot;  // the device root kept between runs
};

class ServeMode {
  public:
    static int run(HostOptions host, const ServeOptions& options, HostSession& session);
};
