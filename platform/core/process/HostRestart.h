#pragma once

namespace core {

// The restart of the phone's display server, and with it of every home-screen host, within
// one device root: `killall backboardd` (or `killall SpringBoard`) posts this notification;
// every SpringBoard host of that root observes it and restarts in place. Nothing is
// signalled: processes of another root, and of this machine, never hear it.
struct HostRestart {
    static constexpr const char* kNotification = "com.apple.backboardd/Restart";
};

}  // namespace core
