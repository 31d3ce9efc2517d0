#include "LivePhone.h"

#include <algorithm>
#include <iostream>

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
    if (bundleIdentifier == kSettingsApp) {
        _settings = std::make_unique<SettingsChild>(_places.tools / "Preferences", _places.root,
                                                    _places.pictureFolder);
        if (!_settings->play({})) {
            std::cerr << "SpringBoard: the Settings app did not start\n";
            _settings.reset();
            noteChange();
            return;
        }
    }
    springboard::HomeScreen::reportState(bundleIdentifier, kRunning, kForeground);
    _front = bundleIdentifier;
    noteChange();
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
    for (const auto& problem : _session.respring())
        std::cerr << "SpringBoard: respring: " << problem << "\n";
    afterRestart();
}

void LivePhone::restartIfAsked() {
    if (_settings && !_settings->isRunning()) {  // the Settings app ended: its screen goes
        std::cerr << "SpringBoard: the Settings app stopped\n";
        leaveApp();
        noteChange();
    }
    const int before = _session.restartsHandled();
    for (const auto& problem : _session.restartIfAsked())
        std::cerr << "SpringBoard: restart: " << problem << "\n";
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
