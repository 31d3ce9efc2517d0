#pragma once

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/Actor.h"
#include "device/CallLog.h"
#include "device/DeviceConfiguration.h"
#include "device/LatestRecords.h"
#include "device/OverlayCounts.h"
#include "device/SetCounts.h"
#include "device/Switch.h"
#include "device/SwitchState.h"
#include "device/Timeline.h"
#include "rt/NoDestroy.h"

namespace device {

// The simulated phone: its media volume, screen brightness, twelve switches, connected
// Bluetooth devices, overlays and haptic taps, what it is (system version, locale, layout
// direction), and what happened to it: the sets per quantity, a timeline of every change
// and the calls its services received.
//
// One phone per process. Services read it from any thread (the volume check runs on a
// global queue), so every operation is locked; the observations answer copies.
class Phone {
  public:
    // Whether a change shows the system overlay (the volume or brightness HUD).
    enum class Overlay { Hidden, Shown };
    // How long an overlay stays on screen after the last change that showed it.
    static constexpr double kOverlaySeconds = 1.5;

    static Phone& shared();
    // Makes the process's phone a fresh one, as configured; answers it.
    static Phone& boot(const DeviceConfiguration& configuration = {});

    float volume() const;
    double brightness() const;
    SwitchState switchState(Switch which) const;
    // True only for a switch that is on (an indeterminate one is not).
    bool isOn(Switch which) const;
    // The Bluetooth devices connected now: none while Bluetooth is off (they connect again
    // when it comes back on).
    std::vector<std::string> connectedBluetoothDevices() const;
    std::string systemVersion() const;
    std::string localeIdentifier() const;
    LayoutDirection layoutDirection() const;
    DeviceConfiguration configuration() const;
    // What the phone reports from now on (a scenario's "ios" and "direction").
    void setSystemVersion(std::string version);
    void setLayoutDirection(LayoutDirection direction);

    // Changes. Each counts as a set of its quantity, whatever the level asked, and goes on
    // the timeline. Levels are clamped to 0..1; a level that is not a number leaves the
    // level as it is. The user's own changes never show an overlay.
    void setVolume(float level, const Actor& by, Overlay overlay = Overlay::Hidden);
    void setBrightness(double level, const Actor& by, Overlay overlay = Overlay::Hidden);
    void setSwitch(Switch which, bool on, const Actor& by);
    void setSwitchState(Switch which, SwitchState state, const Actor& by);
    void connectBluetoothDevice(const std::string& name, const Actor& by);
    // Answers whether a device of that name was connected.
    bool disconnectBluetoothDevice(const std::string& name, const Actor& by);

    // A haptic tap of the impact feedback generator (its style: 0 light, 1 medium, 2 heavy,
    // 3 soft, 4 rigid).
    void recordImpact(long long style);
    // Something that happened without changing the phone (an app came to the foreground).
    void recordEvent(const Actor& by, std::string text);
    // A call that a service received: "BluetoothManager", "setEnabled: 1".
    void recordCall(std::string service, std::string message);

    SetCounts sets() const;
    OverlayCounts overlays() const;
    // Whether the volume (brightness) overlay is on screen now: a change showed it less than
    // kOverlaySeconds ago.
    bool isVolumeOverlayShowing() const;
    bool isBrightnessOverlayShowing() const;
    // The styles of the latest haptic taps (at least kLatestImpacts), oldest first, and how
    // many were given since the phone started.
    static constexpr std::size_t kLatestImpacts = 4096;
    std::vector<long long> impacts() const;
    std::size_t impactCount() const;
    Timeline timeline() const;
    CallLog calls() const;

  private:
    friend class rt::NoDestroy<Phone>;

    struct State {
        explicit State(const DeviceConfiguration& configuration);

        DeviceConfiguration configuration;
        float volume;
        double brightness;
        std::array<SwitchState, kSwitchCount> switches;
        std::vector<std::string> bluetoothDevices;
        SetCounts sets;
        OverlayCounts overlays;
        // When each overlay was last shown (clock seconds); none before the first.
        std::optional<double> volumeOverlayShownAt;
        std::optional<double> brightnessOverlayShownAt;
        LatestRecords<long long, kLatestImpacts> impacts;
        Timeline timeline;
        CallLog calls;
    };

    Phone() : _state(DeviceConfiguration{}) {}

    // Puts an entry on the timeline; called with the lock held.
    void record(const Actor& by, std::string text);

    mutable std::mutex _mutex;
    State _state;
};

}  // namespace device
