#include "HostOptions.h"

#include <string_view>

std::optional<HostOptions> HostOptions::parse(int argc, char** argv, std::string& error) {
    HostOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--keep") {
            options.keepRoot = true;
        } else if (argument == "--echo") {
            options.echo = true;
        } else if (argument == "--real-time") {
            options.realTime = true;
        } else if (argument == "--root") {
            if (i + 1 == argc) {
                error = "--root needs a directory";
                return std::nullopt;
            }
            options.root = argv[++i];
        } else if (argument == "--snapshots") {
            if (i + 1 == argc) {
                error = "--snapshots needs a directory";
                return std::nullopt;
            }
            options.snapshots = argv[++i];
        } else if (argument.starts_with("-") && argument != "-") {
            error = "unknown option " + std::string(argument);
            return std::nullopt;
        } else if (options.scenario) {
            error = "only one scenario file can be played";
            return std::nullopt;
        } else if (argument != "-") {
            options.scenario = argv[i];
        }
    }
    return options;
}

const char* HostOptions::usage() {
    return "usage: SpringBoard [--root DIR] [--keep] [--real-time] [--echo] [--snapshots DIR] "
           "[SCENARIO]\n"
           "\n"
           "The home-screen host of a simulated phone. Boots the device root, installs the built\n"
           "deliverables into it when it does not hold them yet, loads the libraries of\n"
           "/Library/MobileSubstrate/DynamicLibraries, then plays SCENARIO (standard input "
           "without\n"
           "one; the language is in docs/scenarios.md).\n"
           "\n"
           "  --root DIR    the device root (default: a fresh temporary one, removed at exit)\n"
           "  --keep        keep the temporary root and print its path\n"
           "  --real-time   run on the real clock (default: the virtual clock, time moves with "
           "'wait')\n"
           "  --echo        show each line of the scenario, with the time, as it is played\n"
           "  --snapshots DIR  write the screen as a numbered PNG picture into DIR at the start\n"
           "                and after every command that changed it\n"
           "  --help        this text\n"
           "\n"
           "Exit status: 0 when every line ran and every 'expect' held; 1 when an expect failed or "
           "a\n"
           "line could not run; 2 for bad arguments.\n";
}
