#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace springboard {

// The home screen's object for one installed app: made from the app's info, told of every
// change of the app's process state, and keeping the last state it was told.
class SBApplication : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBApplication";

    // The info the object was initialised with, or null.
    const rt::Ref<rt::Object>& applicationInfo() const { return _info; }
    // The last process state reported to the host's own _noteProcess:didChangeToState:, or null.
    const rt::Ref<rt::Object>& currentState() const { return _currentState; }
    const rt::Ref<rt::Object>& currentProcess() const { return _process; }

    // The host's own implementations of the replaceable methods, reached through the
    // runtime: "initWithApplicationInfo:", "_noteProcess:didChangeToState:" (keeps the
    // process and its state) and "bundleIdentifier" (the info's, asked through the runtime
    // like every host call).
    rt::Ref<rt::Object> initWithApplicationInfo(rt::Object* info);
    void noteProcess(rt::Object* process, rt::Object* state);
    std::string bundleIdentifier() const;

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    rt::Ref<rt::Object> _info;
    rt::Ref<rt::Object> _currentState;
    rt::Ref<rt::Object> _process;
};

}  // namespace springboard
