#include "device/Phone.h"

#include <algorithm>
#include <cmath>

#include "core/dispatch/Clock.h"
#include "device/LevelText.h"
#include "foundation/Locale.h"

namespace device {

namespace {

// The level a set leaves: the asked one clamped to 0..1, or the current one for NaN.
double levelAfterSet(double asked, double current) {
    if (std::isnan(asked)) return current;
    return std::clamp(asked, 0.0, 1.0);
}

std::string changeDetail(const Actor& by, const char* overlayName, Phone::Overlay overlay) {
    if (by.isUser()) return by.name();
    return by.name() + ", " + overlayName +
           (overlay == Phone::Overlay::Shown ? " shown" : " hidden");
}

std::string impactStyleName(long long style) {
    switch (style) {
        case 0:
            return "light";
        case 1:
            return "medium";
        case 2:
            return "heavy";
        case 3:
            return "soft";
        case 4:
            return "rigid";
        default:
            return "style " + std::to_string(style);
    }
}

// An overlay shown at `shownAt` is on screen until kOverlaySeconds have passed.
bool showsSince(const std::optional<double>& shownAt) {
    return shownAt && core::Clock::now() < *shownAt + Phone::kOverlaySeconds;
}

std::size_t indexOf(Switch which) {
    return static_cast<std::size_t>(which);
}

}  // namespace

Phone::State::State(const DeviceConfiguration& configuration)
    : configuration(configuration),
      volume(static_cast<float>(levelAfterSet(configuration.volume, 0.5))),
      brightness(levelAfterSet(configuration.brightness, 0.5)),
      switches(configuration.switches),
      bluetoothDevices(configuration.bluetoothDevices) {}

Phone& Phone::shared() {
    static rt::NoDestroy<Phone> phone;
    return *phone;
}

Phone& Phone::boot(const DeviceConfiguration& configuration) {
    Phone& phone = shared();
    std::lock_guard lock(phone._mutex);
    phone._state = State(configuration);
    ui::Locale::setSystemLocaleIdentifier(configuration.localeIdentifier);
    return phone;
}

float Phone::volume() const {
    std::lock_guard lock(_mutex);
    return _state.volume;
}

double Phone::brightness() const {
    std::lock_guard lock(_mutex);
    return _state.brightness;
}

SwitchState Phone::switchState(Switch which) const {
    std::lock_guard lock(_mutex);
    return _state.switches[indexOf(which)];
}

bool Phone::isOn(Switch which) const {
    return switchState(which) == SwitchState::On;
}

std::vector<std::string> Phone::connectedBluetoothDevices() const {
    std::lock_guard lock(_mutex);
    if (_state.switches[indexOf(Switch::Bluetooth)] != SwitchState::On) return {};
    return _state.bluetoothDevices;
}

std::string Phone::systemVersion() const {
    std::lock_guard lock(_mutex);
    return _state.configuration.systemVersion;
}

std::string Phone::localeIdentifier() const {
    std::lock_guard lock(_mutex);
    return _state.configuration.localeIdentifier;
}

LayoutDirection Phone::layoutDirection() const {
    std::lock_guard lock(_mutex);
    return _state.configuration.layoutDirection;
}

void Phone::setSystemVersion(std::string version) {
    std::lock_guard lock(_mutex);
    _state.configuration.systemVersion = std::move(version);
}

void Phone::setLayoutDirection(LayoutDirection direction) {
    std::lock_guard lock(_mutex);
    _state.configuration.layoutDirection = direction;
}

DeviceConfiguration Phone::configuration() const {
    std::lock_guard lock(_mutex);
    return _state.configuration;
}

void Phone::setVolume(float level, const Actor& by, Overlay overlay) {
    if (by.isUser()) overlay = Overlay::Hidden;
    std::lock_guard lock(_mutex);
    const float before = _state.volume;
    _state.volume = static_cast<float>(levelAfterSet(level, before));
    ++_state.sets.volume;
    if (overlay == Overlay::Shown) {
        ++_state.overlays.volume;
        _state.volumeOverlayShownAt = core::Clock::now();
    }
    record(by, "volume " + levelText(before) + " → " + levelText(_state.volume) + " (" +
                   changeDetail(by, "overlay", overlay) + ")");
}

void Phone::setBrightness(double level, const Actor& by, Overlay overlay) {
    if (by.isUser()) overlay = Overlay::Hidden;
    std::lock_guard lock(_mutex);
    const double before = _state.brightness;
    _state.brightness = levelAfterSet(level, before);
    ++_state.sets.brightness;
    if (overlay == Overlay::Shown) {
        ++_state.overlays.brightness;
        _state.brightnessOverlayShownAt = core::Clock::now();
    }
    record(by, "brightness " + levelText(before) + " → " + levelText(_state.brightness) + " (" +
                   changeDetail(by, "overlay", overlay) + ")");
}

void Phone::setSwitch(Switch which, bool on, const Actor& by) {
    setSwitchState(which, switchStateFor(on), by);
}

void Phone::setSwitchState(Switch which, SwitchState state, const Actor& by) {
    std::lock_guard lock(_mutex);
    SwitchState& current = _state.switches[indexOf(which)];
    const SwitchState before = current;
    current = state;
    ++_state.sets.switches[indexOf(which)];
    record(by, std::string(switchName(which)) + " " + std::string(switchStateName(before)) + " → " +
                   std::string(switchStateName(state)) + " (" + by.name() + ")");
}

void Phone::connectBluetoothDevice(const std::string& name, const Actor& by) {
    std::lock_guard lock(_mutex);
    auto& devices = _state.bluetoothDevices;
    if (std::find(devices.begin(), devices.end(), name) != devices.end()) return;
    devices.push_back(name);
    record(by, "Bluetooth device \"" + name + "\" connected (" + by.name() + ")");
}

bool Phone::disconnectBluetoothDevice(const std::string& name, const Actor& by) {
    std::lock_guard lock(_mutex);
    auto& devices = _state.bluetoothDevices;
    const auto found = std::find(devices.begin(), devices.end(), name);
    if (found == devices.end()) return false;
    devices.erase(found);
    record(by, "Bluetooth device \"" + name + "\" disconnected (" + by.name() + ")");
    return true;
}

void Phone::recordImpact(long long style) {
    std::lock_guard lock(_mutex);
    _state.impacts.record(style);
    const Actor generator = Actor::service("impact feedback generator");
    record(generator, "haptic tap, " + impactStyleName(style) + " (" + generator.name() + ")");
}

void Phone::recordEvent(const Actor& by, std::string text) {
    std::lock_guard lock(_mutex);
    record(by, std::move(text) + " (" + by.name() + ")");
}

void Phone::recordCall(std::string service, std::string message) {
    std::lock_guard lock(_mutex);
    _state.calls.record({core::Clock::now(), std::move(service), std::move(message)});
}

SetCounts Phone::sets() const {
    std::lock_guard lock(_mutex);
    return _state.sets;
}

OverlayCounts Phone::overlays() const {
    std::lock_guard lock(_mutex);
    return _state.overlays;
}

bool Phone::isVolumeOverlayShowing() const {
    std::lock_guard lock(_mutex);
    return showsSince(_state.volumeOverlayShownAt);
}

bool Phone::isBrightnessOverlayShowing() const {
    std::lock_guard lock(_mutex);
    return showsSince(_state.brightnessOverlayShownAt);
}

std::vector<long long> Phone::impacts() const {
    std::lock_guard lock(_mutex);
    return _state.impacts.records();
}

std::size_t Phone::impactCount() const {
    std::lock_guard lock(_mutex);
    return _state.impacts.size() + _state.impacts.dropped();
}

Timeline Phone::timeline() const {
    std::lock_guard lock(_mutex);
    return _state.timeline;
}

CallLog Phone::calls() const {
    std::lock_guard lock(_mutex);
    return _state.calls;
}

void Phone::record(const Actor& by, std::string text) {
    _state.timeline.record({core::Clock::now(), by, std::move(text)});
}

}  // namespace device
