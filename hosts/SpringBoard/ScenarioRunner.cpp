#include "ScenarioRunner.h"

#include <spawn.h>
#include <sys/wait.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

#include "MenuCommands.h"
#include "PictureCommands.h"
#include "Quantity.h"
#include "ScenarioError.h"
#include "ScenarioWords.h"
#include "StatePrinter.h"
#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/paths/DeviceRoot.h"
#include "core/preferences/PreferenceFile.h"
#include "device/Phone.h"
#include "springboard/HomeScreen.h"

extern char** environ;

namespace {

constexpr double kReloadTimeout = 10;

void expectWords(const ScenarioLine& line, std::size_t count, const char* form) {
    ScenarioWords::expectCount(line, count, form);
}

double number(const std::string& word, const char* what) {
    return ScenarioWords::number(word, what);
}

double level(const std::string& word) {
    return ScenarioWords::level(word);
}

long long integer(const std::string& word, const char* what) {
    return ScenarioWords::integer(word, what);
}

// Runs a program of this machine (the editor beside the host) with `arguments`, no shell.
int runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string path = program.string();
    argv.push_back(path.data());
    std::vector<std::string> copies = arguments;
    for (auto& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (::waitpid(child, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

constexpr const char* kSettingsDomain = "com.kelvrin.morvane";

// The setting as the file on disk holds it (none when absent or not a boolean).
std::optional<bool> settingInFile(const std::string& key) {
    const auto values = core::PreferenceFile::read(kSettingsDomain);
    const core::PlistValue* value = values ? values->find(key) : nullptr;
    return value ? core::PreferenceFile::boolValue(*value) : std::nullopt;
}

}  // namespace

ScenarioRunner::ScenarioRunner(HostSession& session, std::filesystem::path valuesEditor,
                               std::ostream& out, bool echo)
    : _session(session), _valuesEditor(std::move(valuesEditor)), _out(out), _echo(echo) {}

int ScenarioRunner::play(std::istream& input, std::ostream& errors) {
    int number = 0;
    for (std::string text; std::getline(input, text);) {
        const ScenarioLine line = ScenarioLine::parse(++number, text);
        if (_echo) echo(line);
        if (line.words.empty()) continue;
        try {
            run(line);
            for (const auto& problem : _session.restartIfAsked())
                _out << "restart: " << problem << "\n";
            if (_afterCommand) _afterCommand(line);
        } catch (const std::exception& error) {
            errors << "line " << line.number << ": " << text << "\n  " << error.what() << "\n";
            return 1;
        }
    }
    return 0;
}

void ScenarioRunner::echo(const ScenarioLine& line) {
    if (line.words.empty()) {
        _out << line.text << "\n";
    } else {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "[%6.3f] ", core::Clock::now());
        _out << stamp << line.text << "\n";
    }
    _out.flush();
}

void ScenarioRunner::run(const ScenarioLine& line) {
    const std::string& command = line.words[0];
    if (MenuCommands::run(line, _out)) {
        _out.flush();
    } else if (command == "app") {
        expectWords(line, 2, "app <bundleId>");
        springboard::HomeScreen::installApp(line.words[1]);
    } else if (command == "state") {
        runState(line);
    } else if (command == "launch") {
        runShortcut(line, 2, 2);
    } else if (command == "home") {
        runShortcut(line, 2, 1);
    } else if (command == "obscure") {
        runShortcut(line, 2, 3);
    } else if (command == "kill") {
        runShortcut(line, 1, 0);
    } else if (command == "wait") {
        runWait(line);
    } else if (command == "user") {
        runUser(line);
    } else if (command == "setting") {
        runSetting(line);
    } else if (command == "pane") {
        runPane(line);
    } else if (command == "store") {
        runEdit(line);
    } else if (command == "respring") {
        expectWords(line, 1, "respring");
        runRespring();
    } else if (command == "print") {
        runPrint(line);
    } else if (command == "expect") {
        runExpect(line);
    } else if (PictureCommands::handles(command)) {
        PictureCommands::run(line);
    } else {
        throw ScenarioError("unknown command '" + command + "'");
    }
}

void ScenarioRunner::runState(const ScenarioLine& line) {
    expectWords(line, 4, "state <bundleId> <taskState> <visibility>");
    springboard::HomeScreen::reportState(line.words[1], integer(line.words[2], "task state"),
                                         integer(line.words[3], "visibility"));
}

void ScenarioRunner::runShortcut(const ScenarioLine& line, long long taskState,
                                 long long visibility) {
    expectWords(line, 2, "<launch|home|obscure|kill> <bundleId>");
    springboard::HomeScreen::reportState(line.words[1], taskState, visibility);
}

void ScenarioRunner::runWait(const ScenarioLine& line) {
    expectWords(line, 2, "wait <seconds>");
    const double seconds = number(line.words[1], "wait");
    if (seconds < 0) throw ScenarioError("cannot wait a negative time");
    core::RunLoop::main().runFor(seconds);
}

void ScenarioRunner::runUser(const ScenarioLine& line) {
    auto& phone = device::Phone::shared();
    const auto user = device::Actor::user();
    if (line.words.size() == 3 && line.words[1] == "volume") {
        phone.setVolume(static_cast<float>(level(line.words[2])), user);
    } else if (line.words.size() == 3 && line.words[1] == "brightness") {
        phone.setBrightness(level(line.words[2]), user);
    } else if (line.words.size() == 4 && line.words[1] == "switch") {
        const auto which = device::switchNamed(line.words[2]);
        if (!which) throw ScenarioError("no switch is called '" + line.words[2] + "'");
        const std::string& state = line.words[3];
        if (state == "on" || state == "off") {
            phone.setSwitchState(*which, device::switchStateFor(state == "on"), user);
        } else if (state == "indeterminate") {
            phone.setSwitchState(*which, device::SwitchState::Indeterminate, user);
        } else {
            throw ScenarioError("a switch is on, off or indeterminate, not '" + state + "'");
        }
    } else {
        throw ScenarioError(
            "expected: user volume <level> | user brightness <level> | user switch <toggle> "
            "on|off|indeterminate");
    }
}

void ScenarioRunner::runEdit(const ScenarioLine& line) {
    const auto root = core::DeviceRoot::get();
    if (!root) throw ScenarioError("the host has no device root");
    std::vector<std::string> arguments = {"--root", root->string()};
    arguments.insert(arguments.end(), line.words.begin(), line.words.end());
    const int seen = _session.reloadsHandled();
    const int status = runProgram(_valuesEditor, arguments);
    if (status != 0) {
        throw ScenarioError(
            status == 2 ? "the values editor did not understand this line (see docs/scenarios.md)"
                        : "the values editor failed (status " + std::to_string(status) + ")");
    }
    if (!_session.waitForReload(seen, kReloadTimeout)) {
        throw ScenarioError("the reload notification was not handled within 10 s");
    }
}

// The settings pane changes the setting: a Preferences process on this device root opens the
// page that holds the key and flips its switch.
void ScenarioRunner::runSetting(const ScenarioLine& line) {
    expectWords(line, 3, "setting <key> on|off");
    const std::string& key = line.words[1];
    const std::string& state = line.words[2];
    if (state != "on" && state != "off")
        throw ScenarioError("a setting is on or off, not '" + state + "'");
    const auto before = settingInFile(key);
    const int seen = _session.reloadsHandled();
    const int status =
        playPaneScript("open Morvane\ngoto " + key + "\nswitch " + key + " " + state + "\n");
    if (status != 0) {
        throw ScenarioError("the settings pane could not set '" + key + "' (status " +
                            std::to_string(status) + ")");
    }
    if (settingInFile(key) == before) return;  // the switch showed it already
    if (!_session.waitForReload(seen, kReloadTimeout)) {
        throw ScenarioError("the reload notification was not handled within 10 s");
    }
}

// The user works the settings pane: a Preferences process on this device root plays the
// script lines (separated by ';'). The changes it posts are handled, and a restart its
// Respring asks for is made, before the next command runs.
void ScenarioRunner::runPane(const ScenarioLine& line) {
    if (line.words.size() < 2) throw ScenarioError("expected: pane <script line>[; <line>...]");
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
    const int status = playPaneScript(script);
    if (status != 0)
        throw ScenarioError("the settings pane stopped (status " + std::to_string(status) + ")");
    if (core::PreferenceFile::read(kSettingsDomain) != before &&
        !_session.waitForReload(seen, kReloadTimeout)) {
        throw ScenarioError("the reload notification was not handled within 10 s");
    }
    if (respring && !_session.waitForRestartAsked(kReloadTimeout))
        throw ScenarioError("the pane's Respring did not reach the home screen within 10 s");
}

int ScenarioRunner::playPaneScript(const std::string& script) {
    const auto root = core::DeviceRoot::get();
    if (!root) throw ScenarioError("the host has no device root");
    const std::filesystem::path file = *root / ("pane-" + std::to_string(::getpid()) + ".script");
    std::ofstream(file) << script;
    const int status = runProgram(_valuesEditor.parent_path() / "Preferences",
                                  {"--root", root->string(), file.string()});
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return status;
}

void ScenarioRunner::runRespring() {
    for (const auto& problem : _session.respring()) _out << "respring: " << problem << "\n";
}

void ScenarioRunner::runPrint(const ScenarioLine& line) {
    const std::string what = line.words.size() >= 2 ? line.words[1] : "";
    if (what == "device" && line.words.size() == 2) {
        _out << StatePrinter::device();
    } else if (what == "app" && line.words.size() == 3) {
        _out << StatePrinter::application(line.words[2]);
    } else if (what == "store" && line.words.size() == 2) {
        _out << StatePrinter::store();
    } else if (what == "settings" && line.words.size() == 2) {
        _out << StatePrinter::settings();
    } else if (what == "timeline" && line.words.size() == 2) {
        _out << StatePrinter::timeline();
    } else {
        throw ScenarioError(
            "expected: print device | print app <bundleId> | print store | print settings | print "
            "timeline");
    }
    _out.flush();
}

void ScenarioRunner::runExpect(const ScenarioLine& line) {
    if (line.words.size() >= 2 && MenuCommands::isTextQuantity(line.words[1])) {
        runExpectText(line);
        return;
    }
    if (line.words.size() != 3 && line.words.size() != 4) {
        throw ScenarioError("expected: expect <quantity> <value> [<tolerance>]");
    }
    const double tolerance = line.words.size() == 4 ? number(line.words[3], "tolerance") : 1e-6;
    const QuantityValue value = Quantity::read(line.words[1]);
    if (!Quantity::matches(value, line.words[2], tolerance)) {
        throw ScenarioError("expected " + line.words[1] + " " + line.words[2] + ", but it is " +
                            Quantity::describe(value));
    }
}

// A text quantity's expected value is the rest of the line, or the text between double quotes.
void ScenarioRunner::runExpectText(const ScenarioLine& line) {
    const std::string& name = line.words[1];
    std::string expected = line.text.substr(0, line.text.find('#'));
    expected = expected.substr(expected.find(name) + name.size());
    expected.erase(0, expected.find_first_not_of(" \t"));
    expected.erase(expected.find_last_not_of(" \t\r") + 1);
    if (expected.size() >= 2 && expected.front() == '"' && expected.back() == '"')
        expected = expected.substr(1, expected.size() - 2);
    const QuantityValue value = Quantity::read(name);
    if (!Quantity::matches(value, expected, 0)) {
        throw ScenarioError("expected " + name + " \"" + expected + "\", but it is \"" +
                            Quantity::describe(value) + "\"");
    }
}
