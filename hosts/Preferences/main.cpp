// Preferences: the Settings app of a simulated phone. It boots a device root, installs the
// built deliverables into it when missing, loads the injected libraries, lists the panes
// from their entries and plays a script on them (docs/preferences.md).
#include <CLI/CLI.hpp>

#include <iostream>

#include "DeviceSession.h"
#include "HostCommandLine.h"
#include "PaneScript.h"
#include "ScriptPlayer.h"
#include "ScriptSource.h"
#include "core/process/ProgramLauncher.h"
#include "settings/SettingsApp.h"

namespace {

constexpr double kChildWait = 10;

constexpr const char* kDescription =
    "The Settings app of a simulated phone. Boots the device root, installs the built\n"
    "deliverables into it when it does not hold them yet, loads the libraries of\n"
    "/Library/MobileSubstrate/DynamicLibraries, lists the panes of\n"
    "/Library/PreferenceLoader/Preferences, then plays SCRIPT (docs/preferences.md).";

std::string epilogue(const PaneScript& script) {
    return "Commands:\n" + script.commands().help() + "\nQuantities (expect, show):\n" +
           script.quantities().help() +
           "\nExit status: 0 when every line ran and every 'expect' held; 1 otherwise; 2 for "
           "bad\narguments.";
}

int play(const HostOptions& options, bool keepGoing, PaneScript& script) {
    ScriptSource source(options.script);
    DeviceSession device("Preferences", options, std::cout, std::cerr);
    settings::SettingsApp::bootWorld();
    device.report(DeviceSession::loadLibraries());
    script.begin();
    ScriptPlayer player(script.commands(), std::cout, options.echo);
    player.setKeepGoing(keepGoing);
    player.setAfterCommand([&script](const ScriptLine&) { script.settle(); });
    const int status = player.play(source.stream(), std::cerr);
    // Programs the pane started end on their own; none is left behind unreaped.
    if (!core::ProgramLauncher::waitForAll(kChildWait))
        std::cerr << "Preferences: a program it started is still running\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    PaneScript script(std::cout);
    HostCommandLine commandLine("Preferences", kDescription, "SCRIPT");
    bool keepGoing = false;
    commandLine.app().add_flag("--keep-going", keepGoing,
                               "go on after a line that fails (the exit status is then 1)");
    commandLine.setEpilogue(epilogue(script));
    if (const auto status = commandLine.parse(argc, argv)) return *status;
    try {
        return play(commandLine.options(), keepGoing, script);
    } catch (const ScriptSource::Unreadable& failure) {
        std::cerr << "Preferences: " << failure.what() << "\n";
        return 2;
    } catch (const std::exception& failure) {
        std::cerr << "Preferences: " << failure.what() << "\n";
        return 1;
    }
}
