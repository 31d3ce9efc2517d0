#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "device/LatestRecords.h"

namespace device {

// The calls that the phone's services received, in order: which service, and the message
// with its arguments ("setEnabled: 1"), so that a test can tell what reached a service. The
// latest kCapacity at least are kept, so a phone that runs for days (a brightness glide alone
// makes a hundred calls) does not grow with every call: when the log is full its older half is
// dropped (dropped() counts them), and the questions below are about the calls kept.
class CallLog {
  public:
    static constexpr std::size_t kCapacity = 4096;

    struct Call {
        double time = 0;
        std::string service;
        std::string message;

        // "BluetoothManager setEnabled: 1".
        std::string text() const { return service + " " + message; }
    };

    void record(Call call);

    const std::vector<Call>& calls() const { return _calls.records(); }
    std::size_t size() const { return _calls.size(); }
    // Calls dropped so far to stay within kCapacity.
    std::size_t dropped() const { return _calls.dropped(); }

    // How many calls reached `service`.
    std::size_t countFor(std::string_view service) const;
    // How many calls of `selector` ("setEnabled:", "lock") reached `service`.
    std::size_t countFor(std::string_view service, std::string_view selector) const;
    // Whether a call of exactly that text ("BluetoothManager setEnabled: 1") was made.
    bool contains(std::string_view text) const;

    // Every call, one a line.
    std::string format() const;

  private:
    LatestRecords<Call, kCapacity> _calls;
};

}  // namespace device
