#include "springboard/AppRegistry.h"

#include <algorithm>
#include <stdexcept>

#include "device/Phone.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/Runtime.h"
#include "springboard/FBProcess.h"
#include "springboard/FBProcessState.h"
#include "springboard/SBApplication.h"
#include "springboard/SBApplicationInfo.h"

namespace springboard {

namespace {

// A T made in the current world, or null on a system without T's class.
template <class T, class... Args>
rt::Ref<rt::Object> makeIfPresent(Args&&... args) {
    if (!rt::lookUpClass(T::kClassName)) return nullptr;
    return rt::make<T>(std::forward<Args>(args)...);
}

}  // namespace

rt::Ref<rt::Object> AppRegistry::install(const std::string& bundleIdentifier) {
    if (bundleIdentifier.empty())
        throw std::invalid_argument("an app needs a bundle identifier to be installed");
    if (const InstalledApp* installed = find(bundleIdentifier)) return installed->application;
    rt::Ref<rt::Object> application = makeApplication(bundleIdentifier);
    if (InstalledApp* installedMeanwhile = find(bundleIdentifier))
        return installedMeanwhile->application;
    _apps.push_back({bundleIdentifier, application, nullptr});
    return application;
}

void AppRegistry::reportState(const std::string& bundleIdentifier, long long taskState,
                              long long visibility) {
    InstalledApp* installed = find(bundleIdentifier);
    if (!installed)
        throw std::invalid_argument("no app is installed as \"" + bundleIdentifier + "\"");
    if (!installed->process) installed->process = makeIfPresent<FBProcess>(bundleIdentifier);
    const rt::Ref<rt::Object> application = installed->application;
    const rt::Ref<rt::Object> process = installed->process;
    if (taskState == FBProcessState::kTaskStateNotRunning) installed->process = nullptr;

    device::Phone::shared().recordEvent(
        device::Actor::service("home screen"),
        bundleIdentifier + ": " + FBProcessState::describe(taskState, visibility));
    const rt::Ref<rt::Object> state = makeIfPresent<FBProcessState>(taskState, visibility);
    rt::send<void>(application, rt::sel("_noteProcess:didChangeToState:"), process, state);
}

rt::Ref<rt::Object> AppRegistry::application(const std::string& bundleIdentifier) const {
    const auto installed = std::find_if(_apps.begin(), _apps.end(), [&](const InstalledApp& app) {
        return app.bundleIdentifier == bundleIdentifier;
    });
    return installed == _apps.end() ? nullptr : installed->application;
}

std::vector<std::string> AppRegistry::installedApps() const {
    std::vector<std::string> identifiers;
    for (const InstalledApp& app : _apps) identifiers.push_back(app.bundleIdentifier);
    return identifiers;
}

void AppRegistry::recreateApplications() {
    for (const std::string& bundleIdentifier : installedApps()) {
        rt::Ref<rt::Object> application = makeApplication(bundleIdentifier);
        if (InstalledApp* installed = find(bundleIdentifier)) {
            installed->application = std::move(application);
            installed->process = nullptr;
        }
    }
}

// [[SBApplication alloc] initWithApplicationInfo:info], through the runtime; the object
// that init answers is the application object.
rt::Ref<rt::Object> AppRegistry::makeApplication(const std::string& bundleIdentifier) {
    rt::Ref<rt::Object> allocated = rt::makeOfClass(rt::lookUpClass(SBApplication::kClassName));
    const rt::Ref<rt::Object> info = makeIfPresent<SBApplicationInfo>(bundleIdentifier);
    return rt::send<rt::Ref<rt::Object>>(allocated, rt::sel("initWithApplicationInfo:"), info);
}

AppRegistry::InstalledApp* AppRegistry::find(const std::string& bundleIdentifier) {
    const auto installed = std::find_if(_apps.begin(), _apps.end(), [&](const InstalledApp& app) {
        return app.bundleIdentifier == bundleIdentifier;
    });
    return installed == _apps.end() ? nullptr : &*installed;
}

}  // namespace springboard
