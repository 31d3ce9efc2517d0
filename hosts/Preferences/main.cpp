// Preferences: the Settings app of a simulated phone. It boots a device root, installs the
// built deliverables into it when missing, loads the injected libraries, lists the panes
// from their entries and plays a script on them (docs/preferences.md).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "DeliverableInstaller.h"
#include "HostOptions.h"
#include "PaneScript.h"
#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "core/process/LibraryLoader.h"
#include "core/process/ProgramLauncher.h"
#include "settings/SettingsApp.h"

namespace fs = std::filesystem;

namespace {

constexpr double kChildWait = 10;

const char* usage() {
    return "usage: Preferences [--root DIR] [--keep] [--real-time] [--echo] [SCRIPT]\n"
           "\n"
           "The Settings app of a simulated phone. Boots the device root, installs the built\n"
           "deliverables into it when it does not hold them yet, loads the libraries of\n"
           "/Library/MobileSubstrate/DynamicLibraries, lists the panes of\n"
           "/Library/PreferenceLoader/Preferences, then plays SCRIPT (standard input without\n"
           "one; the language is in docs/preferences.md).\n"
           "\n"
           "  --root DIR    the device root (default: a fresh temporary one, removed at exit)\n"
           "  --keep        keep the temporary root and print its path\n"
           "  --real-time   run on the real clock (default: the virtual clock)\n"
           "  --echo        show each line of the script, with the time, as it is played\n"
           "  --help        this text\n"
           "\n"
           "Exit status: 0 when every line ran and every 'expect' held; 1 otherwise; 2 for bad\n"
           "arguments.\n";
}

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

int play(const HostOptions& options) {
    std::optional<TemporaryRoot> temporary;
    if (options.root) {
        core::DeviceRoot::set(*options.root);
    } else {
        temporary.emplace(options.keepRoot);
        core::DeviceRoot::set(temporary->path());
        if (options.keepRoot) std::cout << "device root: " << temporary->path().string() << "\n";
    }
    for (const auto& problem : DeliverableInstaller::installMissing(
             {MORVANE_BUILT_TWEAK, MORVANE_RESOURCE_BUNDLE, MORVANE_BUILT_PANE, MORVANE_PANE_ENTRY,
              MORVANE_BUILT_KILLALL, MORVANE_BUILT_PLUTIL})) {
        std::cerr << "Preferences: " << problem << "\n";
    }
    core::Clock::boot(options.realTime ? core::ClockMode::Real : core::ClockMode::Virtual);
    settings::SettingsApp::bootWorld();
    for (const auto& result : core::LibraryLoader::loadDynamicLibraries())
        if (!result.loaded)
            std::cerr << "Preferences: " << result.path << ": " << result.error << "\n";

    settings::SettingsApp app;
    PaneScript script(app, std::cout, options.echo);
    int status = 0;
    if (!options.scenario) {
        status = script.play(std::cin, std::cerr);
    } else if (std::ifstream input(*options.scenario); input) {
        status = script.play(input, std::cerr);
    } else {
        std::cerr << "Preferences: cannot read " << options.scenario->string() << "\n";
        status = 2;
    }
    // Programs the pane started end on their own; none is left behind unreaped.
    if (!core::ProgramLauncher::waitForAll(kChildWait))
        std::cerr << "Preferences: a program it started is still running\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = HostOptions::parse(argc, argv, error);
    if (!options) {
        std::cerr << "Preferences: " << error << "\n" << usage();
        return 2;
    }
    if (options->help) {
        std::cout << usage();
        return 0;
    }
    try {
        return play(*options);
    } catch (const std::exception& failure) {
        std::cerr << "Preferences: " << failure.what() << "\n";
        return 1;
    }
}
