#include "springboard/SBApplication.h"

#include <string>

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"

namespace springboard {

// The host's own implementations of SBApplication's replaceable methods.
struct SBApplicationMethods {
    static SBApplication* application(rt::Object* self) { return rt::cast<SBApplication>(self); }

    static rt::Ref<rt::Object> initWithApplicationInfo(rt::Object* self, rt::Selector,
                                                       rt::Object* info) {
        if (SBApplication* app = application(self)) app->_info = rt::retained(info);
        return rt::retained(self);
    }

    static void noteProcessDidChangeToState(rt::Object* self, rt::Selector, rt::Object* process,
                                            rt::Object* state) {
        SBApplication* app = application(self);
        if (!app) return;
        app->_process = rt::retained(process);
        app->_currentState = rt::retained(state);
    }

    // The info's bundle identifier, asked through the runtime like every host call.
    static std::string bundleIdentifier(rt::Object* self, rt::Selector) {
        SBApplication* app = application(self);
        if (!app) return {};
        return rt::send<std::string>(app->_info, rt::sel("bundleIdentifier"));
    }
};

void SBApplication::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBApplication>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_info", &SBApplication::_info);
    rt::declareField(cls, "_currentState", &SBApplication::_currentState);
    rt::declareField(cls, "_process", &SBApplication::_process);
    rt::addMethod(cls, rt::sel("initWithApplicationInfo:"),
                  &SBApplicationMethods::initWithApplicationInfo);
    rt::addMethod(cls, rt::sel("_noteProcess:didChangeToState:"),
                  &SBApplicationMethods::noteProcessDidChangeToState);
    rt::addMethod(cls, rt::sel("bundleIdentifier"), &SBApplicationMethods::bundleIdentifier);
}

}  // namespace springboard
