#include "Ticker.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

Ticker::Ticker(Finger& finger, LivePhone& phone, ScreenFeed& feed)
    : _timer(::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)),
      _finger(finger),
      _phone(phone),
      _feed(feed) {
    if (!_timer.valid()) throw std::runtime_error("cannot make the main loop's timer");
    wake();
}

double Ticker::steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Ticker::pace(long nanoseconds) {
    if (nanoseconds == _pace) return;
    _pace = nanoseconds;
    const itimerspec every{{0, nanoseconds}, {0, nanoseconds}};
    ::timerfd_settime(_timer.get(), 0, &every, nullptr);
}

void Ticker::tick() {
    std::uint64_t expirations = 0;
    if (::read(_timer.get(), &expirations, sizeof expirations) < 0) return;
    const double now = steadySeconds();
    _finger.tick(now);
    _phone.restartIfAsked();
    if (_feed.refresh() || _finger.holdDue(now)) _lastBusy = now;
    pace(now - _lastBusy < kBusySeconds ? kBusyNanoseconds : kIdleNanoseconds);
}

void Ticker::wake() {
    _lastBusy = steadySeconds();
    pace(kBusyNanoseconds);
}
