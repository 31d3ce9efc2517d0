#include "springboard/SBApplication.h"

#include <string>

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace springboard {

rt::Ref<rt::Object> SBApplication::initWithApplicationInfo(rt::Object* info) {
    _info = rt::retained(info);
    return rt::retained(this);
}

void SBApplication::noteProcess(rt::Object* process, rt::Object* state) {
    _process = rt::retained(process);
    _currentState = rt::retained(state);
}

std::string SBApplication::bundleIdentifier() const {
    return rt::send<std::string>(_info, rt::sel("bundleIdentifier"));
}

void SBApplication::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBApplication>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_info", &SBApplication::_info);
    rt::declareField(cls, "_currentState", &SBApplication::_currentState);
    rt::declareField(cls, "_process", &SBApplication::_process);
    rt::addMethods(
        cls, {
                 rt::bind<&SBApplication::initWithApplicationInfo>("initWithApplicationInfo:"),
                 rt::bind<&SBApplication::noteProcess>("_noteProcess:didChangeToState:"),
                 rt::bind<&SBApplication::bundleIdentifier>("bundleIdentifier"),
             });
}

}  // namespace springboard
