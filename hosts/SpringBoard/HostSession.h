#pragma once

#include <string>
#include <vector>

#include "device/DeviceConfiguration.h"

// The running home-screen host: its world, the libraries loaded into it, and the host's own
// watch on the settings reload notification (so it knows when a change by another process
// has been handled). Main thread.
class HostSession {
  public:
    // Boots a fresh phone and world and loads the injected libraries. Answers the problems
    // met loading them.
    std::vector<std::string> boot(const device::DeviceConfiguration& configuration);

    // Restarts the host: a new world on the same phone, the libraries unloaded and loaded
    // again so that each starts from the files, the installed apps' objects made anew.
    std::vector<std::string> respring();

    // Runs the main run loop until a reload notification posted after `seen` was counted
    // has been handled by every observer of this process. Answers false after `timeout` s.
    bool waitForReload(int seen, double timeout);
    int reloadsHandled() const { return _reloadsHandled; }
    // Restarts asked for by another process of the device root (`killall backboardd`).
    int restartsHandled() const { return _restarts; }
    // Runs the main run loop until another process has asked for a restart (made by
    // restartIfAsked). Answers false after `timeout` s.
    bool waitForRestartAsked(double timeout);
    // Serves pending notifications and, when a restart was asked for, restarts (recorded on
    // the phone's timeline). Answers the problems met restarting.
    std::vector<std::string> restartIfAsked();
    // Restarts when a restart was asked for in a notification already served, without serving
    // the run loop: for a caller that runs inside the main loop's own sources.
    std::vector<std::string> restartIfNoted();

  private:
    void observeReload();
    void observeRestart();

    int _reloadsHandled = 0;
    int _restarts = 0;
    bool _restartAsked = false;
};
