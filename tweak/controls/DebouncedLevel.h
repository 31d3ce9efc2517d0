#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "tweak/controls/LevelRequester.h"

namespace morvane {

// The requests of one kind of level (the volume or the brightness). A request is pending
// until its delayed check takes it, then under way until its set has been made or its glide
// has stopped.
//
// While a request is pending, a request on behalf of the same app replaces its level: an app
// that leaves before its entry's level was set asks for its previous level instead, and one
// that comes back before its restore was set asks for its own level again. Any other request
// made while one is pending is dropped, so between different apps the first request wins.
//
// Requests are made on the main thread and taken on the global queue: one lock guards all.
class DebouncedLevel {
  public:
    enum class Admission {
        Accepted,  // the request is pending now: its check is to be scheduled
        Replaced,  // it replaced the level of the same app's pending request
        Dropped,   // another app's request is pending
    };
    struct Taken {
        double level;
        std::uint64_t ticket;  // names the request when it is settled
    };

    // A request without a requester never matches one.
    Admission request(double level, const std::optional<LevelRequester>& requester);
    // At the check: the pending level, taken and cleared in one step so that a replacement
    // is never lost between reading the level and clearing the flag; none when idle.
    std::optional<Taken> takePending();
    // The request of that ticket has had its effect (set made, nothing to set, glide over).
    void settle(std::uint64_t ticket);

    bool isPending() const;
    // The level of the app's own restore while it is pending or under way, if it is the
    // latest request of this kind.
    std::optional<double> restoreUnderWayFor(const std::string& bundleId) const;

    void reset();

  private:
    struct Request {
        double level;
        std::optional<LevelRequester> requester;
        std::uint64_t ticket;
    };
    static bool sameApp(const std::optional<LevelRequester>& left,
                        const std::optional<LevelRequester>& right);

    mutable std::mutex _mutex;
    bool _pending = false;
    // The latest accepted request, until it is settled.
    std::optional<Request> _latest;
    std::uint64_t _lastTicket = 0;
};

}  // namespace morvane
