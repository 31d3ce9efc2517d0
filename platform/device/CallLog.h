#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace device {

// The calls that the phone's services received, in order: which service, and the message
// with its arguments ("setEnabled: 1"), so that a test can tell what reached a service.
class CallLog {
  public:
    struct Call {
        double time = 0;
        std::string service;
        std::string message;

        // "BluetoothManager setEnabled: 1".
        std::string text() const { return service + " " + message; }
    };

    void record(Call call) { _calls.push_back(std::move(call)); }

    const std::vector<Call>& calls() const { return _calls; }
    std::size_t size() const { return _calls.size(); }

    // How many calls reached `service`.
    std::size_t countFor(std::string_view service) const;
    // How many calls of `selector` ("setEnabled:", "lock") reached `service`.
    std::size_t countFor(std::string_view service, std::string_view selector) const;
    // Whether a call of exactly that text ("BluetoothManager setEnabled: 1") was made.
    bool contains(std::string_view text) const;

    // Every call, one a line.
    std::string format() const;

  private:
    std::vector<Call> _calls;
};

}  // namespace device
