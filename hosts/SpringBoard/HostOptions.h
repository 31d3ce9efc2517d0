#pragma once

#include <filesystem>
#include <optional>
#include <string>

// What the SpringBoard executable was asked to do.
struct HostOptions {
    std::optional<std::filesystem::path> root;       // --root DIR; none: a fresh temporary root
    bool keepRoot = false;                           // --keep
    bool realTime = false;                           // --real-time
    bool echo = false;                               // --echo
    std::optional<std::filesystem::path> snapshots;  // --snapshots DIR
    std::optional<std::filesystem::path> scenario;   // none: standard input
    bool help = false;

    // Parses the command line; answers none with `error` set for bad arguments.
    static std::optional<HostOptions> parse(int argc, char** argv, std::string& error);
    static const char* usage();
};
