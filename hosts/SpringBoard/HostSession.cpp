#include "HostSession.h"

#include "DeviceSession.h"

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/process/HostRestart.h"
#include "core/process/LibraryLoader.h"
#include "device/Actor.h"
#include "device/Phone.h"
#include "shared/MorvaneIdentifiers.h"
#include "springboard/HomeScreen.h"

std::vector<std::string> HostSession::boot(const device::DeviceConfiguration& configuration) {
    std::vector<std::string> problems;
    springboard::HomeScreen::bootWorld(configuration, false,
                                       [&] { problems = DeviceSession::loadLibraries(); });
    observeReload();
    return problems;
}

std::vector<std::string> HostSession::respring() {
    std::vector<std::string> problems;
    // Nothing of the old libraries may run once they are unloaded: no pending task, and no
    // observer (the new world starts without any).
    core::Clock::dropPendingTasks();
    springboard::HomeScreen::respring([&] {
        for (const auto& kept : core::LibraryLoader::unloadDynamicLibraries()) {
            problems.push_back(kept + ": could not be unloaded; it keeps its state");
        }
        auto loading = DeviceSession::loadLibraries();
        problems.insert(problems.end(), loading.begin(), loading.end());
    });
    observeReload();
    return problems;
}

bool HostSession::waitForReload(int seen, double timeout) {
    return core::RunLoop::main().runUntil([&] { return _reloadsHandled > seen; }, timeout);
}

void HostSession::observeRestart() {
    // `killall backboardd` in this device root. The restart replaces the world the callback
    // runs in, so it is only noted here and made by restartIfAsked.
    core::NotifyCenter::darwin().addObserver(core::HostRestart::kNotification,
                                             [this](const std::string&) { _restartAsked = true; });
}

bool HostSession::waitForRestartAsked(double timeout) {
    return core::RunLoop::main().runUntil([&] { return _restartAsked; }, timeout);
}

std::vector<std::string> HostSession::restartIfAsked() {
    core::RunLoop::main().pollSources(0);
    return restartIfNoted();
}

std::vector<std::string> HostSession::restartIfNoted() {
    if (!_restartAsked) return {};
    _restartAsked = false;
    device::Phone::shared().recordEvent(device::Actor::user(),
                                        "SpringBoard restarted (killall backboardd)");
    ++_restarts;
    return respring();
}

void HostSession::observeReload() {
    observeRestart();
    // Observers of one name are called in the order they were added: the libraries' first,
    // this one last, so when it has run the change has been handled.
    core::NotifyCenter::darwin().addObserver(morvane::identifiers::kReloadNotification,
                                             [this](const std::string&) { ++_reloadsHandled; });
}
