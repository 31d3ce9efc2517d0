#include "LivePhone.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>
#include <utility>

#include "device/Actor.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "rt/Runtime.h"
#include "springboard/HomeScreen.h"
#include "springboard/IconMenu.h"

namespace {

// The states the host reports for a process: running in front, running in the background.
constexpr long long kRunning = 2;
constexpr long long kForeground = 2;
constexpr long long kBackground = 1;
// One press of a volume button moves the level a sixteenth, as the phone's buttons do.
constexpr double kVolumeStep = 1.0 / 16;

}  // namespace

LivePhone::LivePhone(HostSession& session, Places places, std::vector<std::string> apps)
    : _session(session), _places(std::move(places)), _apps(std::move(apps)) {
    std::erase(_apps, std::string(kSettingsApp));
    _apps.push_back(kSettingsApp);
}

void LivePhone::start() {
    for (const auto& app : _apps) springboard::HomeScreen::installApp(app);
    noteChange();
}

void LivePhone::launch(const std::string& bundleIdentifier) {
    if (_front == bundleIdentifier) return;
    leaveApp();
    if (bundleIdentifier == kSettingsApp && !startSettings()) {
        noteChange();
        return;
    }
    springboard::HomeScreen::reportState(bundleIdentifier, kRunning, kForeground);
    _front = bundleIdentifier;
    noteChange();
}

bool LivePhone::startSettings() {
    try {
        _settings = std::make_unique<SettingsChild>(_places.tools / "Preferences", _places.root,
                                                    _places.pictureFolder);
    } catch (const std::runtime_error& error) {
        noteProblem(std::string("the Settings app did not start: ") + error.what());
        return false;
    }
    if (_settings->play({})) return true;
    noteProblem("the Settings app did not start: it did not answer");
    _settings.reset();
    return false;
}

void LivePhone::playInSettings(const std::vector<std::string>& lines) {
    if (!_settings) return;
    if (_settings->play(lines)) return;
    if (_settings->isRunning()) {
        noteProblem("the Settings app did not take the command");
        return;
    }
    noteProblem("the Settings app stopped answering");
    leaveApp();
    noteChange();
}

void LivePhone::noteProblem(const std::string& problem) {
    std::cerr << "SpringBoard: " << problem << "\n";
    _problems.push_back(problem);
}

std::vector<std::string> LivePhone::takeProblems() {
    return std::exchange(_problems, {});
}

void LivePhone::home() {
    springboard::IconMenu::close();
    leaveApp();
    noteChange();
}

void LivePhone::leaveApp() {
    if (!_front) return;
    springboard::HomeScreen::reportState(*_front, kRunning, kBackground);
    _front.reset();
    _settings.reset();
}

// The button goes to the system's media controller, as the phone's own buttons do: the
// level moves a step and the overlay shows (unless something suppresses it).
void LivePhone::stepVolume(int direction) {
    const auto controller = rt::send<rt::Ref<rt::Object>>(rt::lookUpClass("SBMediaController"),
                                                          rt::sel("sharedInstance"));
    const double level =
        std::clamp(static_cast<double>(rt::send<float>(controller, rt::sel("volume"))) +
                       direction * kVolumeStep,
                   0.0, 1.0);
    device::Phone::shared().recordEvent(
        device::Actor::user(), direction > 0 ? "volume up pressed" : "volume down pressed");
    rt::send<void>(controller, rt::sel("setVolume:"), static_cast<float>(level));
    noteChange();
}

void LivePhone::respring() {
    leaveApp();
    springboard::IconMenu::close();
    device::Phone::shared().recordEvent(device::Actor::user(), "SpringBoard restarted (Respring)");
    for (const auto& problem : _session.respring()) noteProblem("respring: " + problem);
    afterRestart();
}

void LivePhone::restartIfAsked() {
    if (_settings && !_settings->isRunning()) {  // the Settings app ended: its screen goes
        noteProblem("the Settings app stopped");
        leaveApp();
        noteChange();
    }
    const int before = _session.restartsHandled();
    for (const auto& problem : _session.restartIfNoted()) noteProblem("restart: " + problem);
    if (_session.restartsHandled() != before) afterRestart();
}

// A restarted home screen shows itself: the app that was in front went home.
void LivePhone::afterRestart() {
    if (_front) springboard::HomeScreen::reportState(*_front, kRunning, kBackground);
    _front.reset();
    _settings.reset();
    noteChange();
}

LivePhone::Screen LivePhone::screen() const {
    if (!_front) return Screen::Home;
    return _settings ? Screen::Settings : Screen::App;
}
