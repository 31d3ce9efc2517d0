#pragma once

#include "Finger.h"
#include "LivePhone.h"
#include "ScreenFeed.h"
#include "core/unix/FileDescriptor.h"

// The main loop's regular look at the phone (a timer descriptor): fires a hold that came
// due, makes a restart another process asked for, and publishes what the clock changed (a
// glide, an overlay that hides). It looks often while the phone is changing or a finger is
// down, seldom while it is idle (an overlay then hides at most a tenth of a second late).
class Ticker {
  public:
    static constexpr long kBusyNanoseconds = 20'000'000;
    static constexpr long kIdleNanoseconds = 100'000'000;
    // The phone counts as busy this long after its last change or input.
    static constexpr double kBusySeconds = 1.0;

    Ticker(Finger& finger, LivePhone& phone, ScreenFeed& feed);

    static double steadySeconds();
    int fd() const { return _timer.get(); }
    void tick();
    // Input came: look often again.
    void wake();

  private:
    void pace(long nanoseconds);

    core::FileDescriptor _timer;
    Finger& _finger;
    LivePhone& _phone;
    ScreenFeed& _feed;
    double _lastBusy = 0;
    long _pace = 0;
};
