#include "DeviceSession.h"

#include <ostream>

#include "DeliverableInstaller.h"
#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "core/process/LibraryLoader.h"

DeviceSession::DeviceSession(std::string hostName, const HostOptions& options, std::ostream& out,
                             std::ostream& errors)
    : _hostName(std::move(hostName)), _errors(errors) {
    if (options.root) {
        _root = *options.root;
    } else {
        _temporary.emplace("morvane-root-");
        _root = _temporary->path();
        if (options.keepRoot) {
            _temporary->keep();
            out << "device root: " << _root.string() << "\n";
        }
    }
    core::DeviceRoot::set(_root);
    report(DeliverableInstaller::installMissing(
        {MORVANE_BUILT_TWEAK, MORVANE_RESOURCE_BUNDLE, MORVANE_BUILT_PANE, MORVANE_PANE_ENTRY,
         MORVANE_BUILT_KILLALL, MORVANE_BUILT_PLUTIL, MORVANE_BUILT_VALUES_EDITOR}));
    core::Clock::boot(options.realTime ? core::ClockMode::Real : core::ClockMode::Virtual);
}

void DeviceSession::report(const std::vector<std::string>& problems) const {
    for (const auto& problem : problems) _errors << _hostName << ": " << problem << "\n";
}

std::vector<std::string> DeviceSession::loadLibraries() {
    std::vector<std::string> problems;
    for (const auto& result : core::LibraryLoader::loadDynamicLibraries()) {
        if (!result.loaded) problems.push_back(result.path + ": " + result.error);
    }
    return problems;
}
