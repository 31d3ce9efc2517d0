// SpringBoard: the home-screen host of a simulated phone. It boots a device root, installs
// the built deliverables into it, loads the injected libraries, and plays a scenario.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "DeliverableInstaller.h"
#include "HostOptions.h"
#include "HostSession.h"
#include "PictureCommands.h"
#include "ScenarioRunner.h"
#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

// A temporary device root, removed at exit unless it is to be kept.
class TemporaryRoot {
  public:
    explicit TemporaryRoot(bool keep) : _keep(keep) {
        std::string pattern = (fs::temp_directory_path() / "morvane-root-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("could not make a temporary device root");
        _path = pattern;
    }
    ~TemporaryRoot() {
        std::error_code ignored;
        if (!_keep) fs::remove_all(_path, ignored);
    }
    const fs::path& path() const { return _path; }

  private:
    bool _keep;
    fs::path _path;
};

fs::path besideThisProgram(const char* name) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return self.parent_path() / name;
}

int play(const HostOptions& options) {
    std::optional<TemporaryRoot> temporary;
    if (options.root) {
        core::DeviceRoot::set(*options.root);
    } else {
        temporary.emplace(options.keepRoot);
        core::DeviceRoot::set(temporary->path());
        if (options.keepRoot) std::cout << "device root: " << temporary->path().string() << "\n";
    }
    for (const auto& problem :
         DeliverableInstaller::installMissing({MORVANE_BUILT_TWEAK, MORVANE_RESOURCE_BUNDLE,
                                              MORVANE_BUILT_PANE, MORVANE_PANE_ENTRY,
                                              MORVANE_BUILT_KILLALL, MORVANE_BUILT_PLUTIL})) {
        std::cerr << "SpringBoard: " << problem << "\n";
    }
    core::Clock::boot(options.realTime ? core::ClockMode::Real : core::ClockMode::Virtual);
    HostSession session;
    for (const auto& problem : session.boot({})) std::cerr << "SpringBoard: " << problem << "\n";

    ScenarioRunner runner(session, besideThisProgram("ValuesEditor"), std::cout, options.echo);
    std::optional<SnapshotRecorder> snapshots;
    if (options.snapshots) {
        snapshots.emplace(*options.snapshots);
        snapshots->start();
        runner.setAfterCommand(
            [&snapshots](const ScenarioLine& line) { snapshots->afterCommand(line); });
    }
    if (!options.scenario) return runner.play(std::cin, std::cerr);
    std::ifstream scenario(*options.scenario);
    if (!scenario) {
        std::cerr << "SpringBoard: cannot read " << options.scenario->string() << "\n";
        return 2;
    }
    return runner.play(scenario, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = HostOptions::parse(argc, argv, error);
    if (!options) {
        std::cerr << "SpringBoard: " << error << "\n" << HostOptions::usage();
        return 2;
    }
    if (options->help) {
        std::cout << HostOptions::usage();
        return 0;
    }
    try {
        return play(*options);
    } catch (const std::exception& failure) {
        std::cerr << "SpringBoard: " << failure.what() << "\n";
        return 1;
    }
}
