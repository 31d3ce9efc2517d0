#include "ScenarioRunner.h"

#include <climits>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

#include "HomeScreenQuantities.h"
#include "MenuCommands.h"
#include "MenuQuantities.h"
#include "PictureCommands.h"
#include "ScriptError.h"
#include "ScriptWords.h"
#include "StatePrinter.h"
#include "core/dispatch/RunLoop.h"
#include "core/paths/DeviceRoot.h"
#include "core/preferences/PreferenceFile.h"
#include "device/Phone.h"
#include "shared/MorvaneIdentifiers.h"
#include "springboard/HomeScreen.h"

namespace {

using morvane::identifiers::kSettingsDomain;
using L = const ScriptLine&;

constexpr double kReloadTimeout = 10;

// The setting as the file on disk holds it (none when absent or not a boolean).
std::optional<bool> settingInFile(const std::string& key) {
    const auto values = core::PreferenceFile::read(kSettingsDomain);
    const core::PlistValue* value = values ? values->find(key) : nullptr;
    return value ? core::PreferenceFile::boolValue(*value) : std::nullopt;
}

long long processNumber(const std::string& word, const char* what) {
    return ScriptWords::integer(word, what, INT_MIN, INT_MAX);
}

void report(long long taskState, long long visibility, L line) {
    springboard::HomeScreen::reportState(line.words[1], taskState, visibility);
}

// What a child program said last: its message, without the lines that lead to it.
std::string lastLine(const std::string& text) {
    std::istringstream lines(text);
    std::string last;
    for (std::string line; std::getline(lines, line);) {
        const auto start = line.find_first_not_of(" \t");
        if (start != std::string::npos) last = line.substr(start);
    }
    return last;
}

std::string failure(const std::string& what, const ChildProgram::Result& result) {
    const std::string said = lastLine(result.errors);
    return what + " (status " + std::to_string(result.status) + ")" +
           (said.empty() ? "" : ": " + said);
}

std::filesystem::path deviceRoot() {
    const auto root = core::DeviceRoot::get();
    if (!root) throw ScriptError("the host has no device root");
    return *root;
}

}  // namespace

ScenarioRunner::ScenarioRunner(HostSession& session, std::filesystem::path tools, std::ostream& out,
                               std::ostream& errors)
    : _session(session), _tools(std::move(tools)), _out(out), _errors(errors) {
    _commands.add(hostCommands());
    _commands.add(MenuCommands::commands(_out));
    _commands.add(_quantities.commands(_out));
    _commands.add(PictureCommands::commands());
    _quantities.add(HomeScreenQuantities::quantities());
    _quantities.add(MenuQuantities::quantities());
}

std::vector<ScriptCommand> ScenarioRunner::hostCommands() {
    return {
        {"app", "<bundleId>", [](L line) { springboard::HomeScreen::installApp(line.words[1]); },
         "installs an app"},
        {"state", "<bundleId> <taskState> <visibility>",
         [](L line) {
             report(processNumber(line.words[2], "task state"),
                    processNumber(line.words[3], "visibility"), line);
         },
         "the host reports a process-state change"},
        {"launch", "<bundleId>", [](L line) { report(2, 2, line); }, "state <bundleId> 2 2"},
        {"home", "<bundleId>", [](L line) { report(2, 1, line); }, "state <bundleId> 2 1"},
        {"obscure", "<bundleId>", [](L line) { report(2, 3, line); }, "state <bundleId> 2 3"},
        {"kill", "<bundleId>", [](L line) { report(1, 0, line); }, "state <bundleId> 1 0"},
        {"wait", "<seconds>",
         [](L line) { core::RunLoop::main().runFor(ScriptWords::seconds(line.words[1])); },
         "advances the clock; every task that comes due runs"},
        {"user volume", "<level>", [this](L line) { runUser(line); },
         "the user changes the volume directly"},
        {"user brightness", "<level>", [this](L line) { runUser(line); },
         "the user changes the brightness directly"},
        {"user switch", "<toggleName> on|off|indeterminate", [this](L line) { runUser(line); },
         "the user flips a switch directly"},
        {"store", "<bundleId> <change…>", [this](L line) { runEdit(line); },
         "another process stores one of the app's values: volume|brightness <level>, "
         "toggle <toggleName> on|off|unset, or clear"},
        {"setting", "<key> on|off", [this](L line) { runSetting(line); },
         "the settings pane flips the setting's switch"},
        {"pane", "<line…>", [this](L line) { runPane(line); },
         "the settings pane plays the script lines, separated by ';'"},
        {"respring", "",
         [this](L) {
             for (const auto& problem : _session.respring())
                 _out << "respring: " << problem << "\n";
         },
         "the host restarts; the library starts again from the files"},
        {"print", "device|settings|store|timeline", [this](L line) { runPrint(line.words[1], ""); },
         "human-readable state"},
        {"print app", "<bundleId>", [this](L line) { runPrint("app", line.words[2]); },
         "the app's record"},
    };
}

void ScenarioRunner::runUser(const ScriptLine& line) {
    auto& phone = device::Phone::shared();
    const auto user = device::Actor::user();
    if (line.words[1] == "volume") {
        phone.setVolume(static_cast<float>(ScriptWords::level(line.words[2])), user);
    } else if (line.words[1] == "brightness") {
        phone.setBrightness(ScriptWords::level(line.words[2]), user);
    } else {
        const auto which = device::switchNamed(line.words[2]);
        if (!which) throw ScriptError("no switch is called '" + line.words[2] + "'");
        const std::string& state = line.words[3];
        if (state == "on" || state == "off") {
            phone.setSwitchState(*which, device::switchStateFor(state == "on"), user);
        } else if (state == "indeterminate") {
            phone.setSwitchState(*which, device::SwitchState::Indeterminate, user);
        } else {
            throw ScriptError("a switch is on, off or indeterminate, not '" + state + "'");
        }
    }
}

void ScenarioRunner::runPrint(const std::string& what, const std::string& argument) {
    if (what == "device") {
        _out << StatePrinter::device();
    } else if (what == "app") {
        _out << StatePrinter::application(argument);
    } else if (what == "store") {
        _out << StatePrinter::store();
    } else if (what == "settings") {
        _out << StatePrinter::settings();
    } else if (what == "timeline") {
        _out << StatePrinter::timeline();
    } else {
        throw ScriptError(
            "expected: print device | print app <bundleId> | print store | print settings | "
            "print timeline | print menu");
    }
}

void ScenarioRunner::waitForReload(int seen) {
    if (!_session.waitForReload(seen, kReloadTimeout))
        throw ScriptError("the reload notification was not handled within 10 s");
}

void ScenarioRunner::runEdit(const ScriptLine& line) {
    std::vector<std::string> arguments = {"--root", deviceRoot().string()};
    arguments.insert(arguments.end(), line.words.begin(), line.words.end());
    const int seen = _session.reloadsHandled();
    const auto result = ChildProgram::run(_tools / "ValuesEditor", arguments);
    if (result.status == 2)
        throw ScriptError("the values editor did not understand this line (see docs/scenarios.md)");
    if (result.status != 0) throw ScriptError(failure("the values editor failed", result));
    _errors << result.errors;
    waitForReload(seen);
}

// The settings pane changes the setting: a Preferences process on this device root opens the
// page that holds the key and flips its switch. A change the pane could not make stops the
// scenario with the pane's message.
void ScenarioRunner::runSetting(const ScriptLine& line) {
    const std::string& key = line.words[1];
    const std::string& state = line.words[2];
    if (state != "on" && state != "off")
        throw ScriptError("a setting is on or off, not '" + state + "'");
    const auto before = settingInFile(key);
    const int seen = _session.reloadsHandled();
    const auto result =
        playPaneScript("open Morvane\ngoto " + key + "\nswitch " + key + " " + state + "\n");
    if (result.status != 0)
        throw ScriptError(failure("the settings pane could not set '" + key + "'", result));
    _errors << result.errors;
    if (settingInFile(key) == before) return;  // the switch showed it already
    waitForReload(seen);
}

// The user works the settings pane: a Preferences process on this device root plays the
// script lines (separated by ';'). The changes it posts are handled, and a restart its
// Respring asks for is made, before the next command runs.
void ScenarioRunner::runPane(const ScriptLine& line) {
    std::string script;
    bool respring = false;
    std::string words;
    for (std::size_t index = 1; index < line.words.size(); ++index)
        words += line.words[index] + " ";
    std::istringstream lines(words);
    for (std::string scriptLine; std::getline(lines, scriptLine, ';');) {
        script += scriptLine + "\n";
        std::istringstream scriptWords(scriptLine);
        std::string command;
        respring = respring || (scriptWords >> command && command == "respring");
    }
    const auto before = core::PreferenceFile::read(kSettingsDomain);
    const int seen = _session.reloadsHandled();
    const auto result = playPaneScript(script);
    if (result.status != 0) throw ScriptError(failure("the settings pane stopped", result));
    _errors << result.errors;
    if (core::PreferenceFile::read(kSettingsDomain) != before) waitForReload(seen);
    if (respring && !_session.waitForRestartAsked(kReloadTimeout))
        throw ScriptError("the pane's Respring did not reach the home screen within 10 s");
}

ChildProgram::Result ScenarioRunner::playPaneScript(const std::string& script) {
    _out.flush();
    return ChildProgram::run(_tools / "Preferences", {"--root", deviceRoot().string(), "-"},
                             script);
}
