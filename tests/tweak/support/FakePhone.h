#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tweak_testing {

// The state of a recording stand-in of the host and its services, for the tweak's tests.
// Every call that reaches a stand-in is logged with the clock's time.
struct FakePhone {
    struct Call {
        double time;
        std::string text;  // "SBMediaController setVolume: 0.200"
    };

    float volume = 0.5f;
    double brightness = 0.5;
    bool suppressHUD = false;
    int volumeHUDs = 0;
    int brightnessHUDs = 0;
    // Switch states by switch identifier ("wifi"): 0 off, 1 on, -1 indeterminate.
    std::map<std::string, long long> switches;
    std::vector<std::string> connectedBluetoothDevices;
    // The brightness controller takes sets without changing anything (a broken platform).
    bool ignoresBrightnessSets = false;
    // Classes left out of the host (systems without that service).
    std::set<std::string> missingClasses;
    std::vector<Call> calls;

    long long switchState(const std::string& identifier) const;
    void log(const std::string& text);
    // The calls whose text starts with `prefix`.
    std::vector<Call> callsStartingWith(const std::string& prefix) const;
    int countCalls(const std::string& prefix) const { return static_cast<int>(callsStartingWith(prefix).size()); }
};

}  // namespace tweak_testing
