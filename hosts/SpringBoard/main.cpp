// SpringBoard: the home-screen host of a simulated phone. It boots a device root, installs
// the built deliverables into it, loads the injected libraries, and plays a scenario.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

#include "DeviceSession.h"
#include "HostCommandLine.h"
#include "HostSession.h"
#include "PictureCommands.h"
#include "ScenarioRunner.h"
#include "ScriptPlayer.h"
#include "ScriptSource.h"
#include "serve/ServeMode.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDescription =
    "The home-screen host of a simulated phone. Boots the device root, installs the built\n"
    "deliverables into it when it does not hold them yet, loads the libraries of\n"
    "/Library/MobileSubstrate/DynamicLibraries, then plays SCENARIO (docs/scenarios.md).\n"
    "With --serve it is the live phone instead: the page of docs/phone.md on 127.0.0.1.";

const std::vector<std::string> kPhoneApps = {"com.apple.Maps",   "com.apple.Music",
                                             "com.apple.Mail",   "com.apple.Books",
                                             "com.apple.Photos", "com.apple.Notes"};

fs::path besideThisProgram() {
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).parent_path();
}

std::string epilogue(const ScenarioRunner& runner) {
    return "Commands:\n" + runner.commands().help() + "\nQuantities (expect, show):\n" +
           runner.quantities().help() +
           "\nExit status: 0 when every line ran and every 'expect' held; 1 when an expect "
           "failed or\na line could not run; 2 for bad arguments.";
}

int play(const HostOptions& options, const std::optional<fs::path>& snapshotDirectory,
         HostSession& session, ScenarioRunner& runner) {
    ScriptSource source(options.script);
    DeviceSession device("SpringBoard", options, std::cout, std::cerr);
    device.report(session.boot({}));
    ScriptPlayer player(runner.commands(), std::cout, options.echo);
    std::optional<SnapshotRecorder> snapshots;
    if (snapshotDirectory) {
        snapshots.emplace(*snapshotDirectory);
        snapshots->start();
    }
    player.setAfterCommand([&](const ScriptLine& line) {
        for (const auto& problem : session.restartIfAsked())
            std::cout << "restart: " << problem << "\n";
        if (snapshots) snapshots->afterCommand(line);
    });
    return player.play(source.stream(), std::cerr);
}

// --serve and the options that go with it.
void addServeOptions(CLI::App& app, bool& serve, ServeOptions& options) {
    CLI::Option* serveFlag =
        app.add_flag("--serve", serve,
                     "the live phone (docs/phone.md): serve its page on 127.0.0.1 and print the "
                     "address; the device root defaults to one kept in the build folder, the "
                     "clock is real");
    app.add_option("--port", options.port, "with --serve: the port (0, the default: a free one)")
        ->check(CLI::Range(0, 65535))
        ->needs(serveFlag);
    app.add_option("--apps", options.apps,
                   "with --serve: the apps on the home screen (besides Settings)")
        ->type_name("BUNDLE_ID ...")
        ->needs(serveFlag);
}

}  // namespace

int main(int argc, char** argv) {
    HostSession session;
    ScenarioRunner runner(session, besideThisProgram(), std::cout, std::cerr);
    HostCommandLine commandLine("SpringBoard", kDescription, "SCENARIO");
    std::optional<fs::path> snapshots;
    bool serve = false;
    ServeOptions serveOptions{0, kPhoneApps, besideThisProgram(), MORVANE_PHONE_PAGE,
                              besideThisProgram().parent_path() / "phone-root"};
    addServeOptions(commandLine.app(), serve, serveOptions);
    commandLine.app()
        .add_option("--snapshots", snapshots,
                    "write the screen as a numbered PNG picture into DIR at the start and "
                    "after every command that changed it")
        ->type_name("DIR");
    commandLine.setEpilogue(epilogue(runner));
    if (const auto status = commandLine.parse(argc, argv)) return *status;
    if (serve && (commandLine.options().script || snapshots)) {
        std::cerr << "SpringBoard: --serve plays no scenario and writes no snapshots\n";
        return 2;
    }
    try {
        if (serve) return ServeMode::run(commandLine.options(), serveOptions, session);
        return play(commandLine.options(), snapshots, session, runner);
    } catch (const ScriptSource::Unreadable& failure) {
        std::cerr << "SpringBoard: " << failure.what() << "\n";
        return 2;
    } catch (const std::exception& failure) {
        std::cerr << "SpringBoard: " << failure.what() << "\n";
        return 1;
    }
}
