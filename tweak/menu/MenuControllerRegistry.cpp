#include "tweak/menu/MenuControllerRegistry.h"

#include <cctype>
#include <string>

#include "foundation/Property.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "tweak/menu/ValueEditing.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/SharedState.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/TogglesView.h"

namespace morvane {

namespace {

using ControllerImp = void (*)(rt::Object*, rt::Selector);
using ViewWillDisappearImp = void (*)(rt::Object*, rt::Selector, bool);

struct HostImplementations {
    ControllerImp loadView = nullptr;
    ControllerImp viewDidLayoutSubviews = nullptr;
    ViewWillDisappearImp viewWillDisappear = nullptr;
};

HostImplementations& host() {
    static HostImplementations implementations;
    return implementations;
}

// Intercepted so that the menu's creation passes through the library; adds nothing.
void loadView(rt::Object* self, rt::Selector cmd) {
    host().loadView(self, cmd);
}

// Every layout pass makes its controller the current one.
void viewDidLayoutSubviews(rt::Object* self, rt::Selector cmd) {
    host().viewDidLayoutSubviews(self, cmd);
    SharedState::currentShortcutViewController() = rt::retained(self);
}

// A slider value whose save is still due is saved under its row's key before the menu's
// controller is forgotten; a save due later then finds nothing to do.
void viewWillDisappear(rt::Object* self, rt::Selector cmd, bool animated) {
    host().viewWillDisappear(self, cmd, animated);
    runGuarded([&] { ValueEditing::savePendingSliderValues(self); });
    SharedState::currentShortcutViewController() = nullptr;
}

// "sliderView" -> "setSliderView:".
rt::Selector setterFor(const char* property) {
    std::string setter = std::string("set") + property + ":";
    setter[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(setter[3])));
    return rt::sel(setter);
}

bool addObjectProperty(rt::Class* cls, const char* name) {
    return rt::Property<rt::Ref<rt::Object>>::add(cls, name);
}

}  // namespace

bool MenuControllerRegistry::addGetInstance(rt::Class* controllerClass) {
    return rt::addClassMethods(controllerClass,
                               {rt::bind<&MenuControllerRegistry::getInstance>("getInstance")}) ==
           1;
}

bool MenuControllerRegistry::hookLoadView(rt::Class* controllerClass) {
    return rt::hookMessage(controllerClass, rt::sel("loadView"), &loadView, &host().loadView);
}

bool MenuControllerRegistry::hookViewDidLayoutSubviews(rt::Class* controllerClass) {
    return rt::hookMessage(controllerClass, rt::sel("viewDidLayoutSubviews"),
                           &viewDidLayoutSubviews, &host().viewDidLayoutSubviews);
}

bool MenuControllerRegistry::hookViewWillDisappear(rt::Class* controllerClass) {
    return rt::hookMessage(controllerClass, rt::sel("viewWillDisappear:"), &viewWillDisappear,
                           &host().viewWillDisappear);
}

bool MenuControllerRegistry::addVolumeActionView(rt::Class* controllerClass) {
    return addObjectProperty(controllerClass, kVolumeActionView);
}

bool MenuControllerRegistry::addBrightnessActionView(rt::Class* controllerClass) {
    return addObjectProperty(controllerClass, kBrightnessActionView);
}

bool MenuControllerRegistry::addTogglesActionView(rt::Class* controllerClass) {
    return addObjectProperty(controllerClass, kTogglesActionView);
}

bool MenuControllerRegistry::addSliderView(rt::Class* rowClass) {
    return addObjectProperty(rowClass, kSliderView);
}

bool MenuControllerRegistry::addTogglesView(rt::Class* rowClass) {
    return addObjectProperty(rowClass, kTogglesView);
}

bool MenuControllerRegistry::addEnabledTogglesView(rt::Class* rowClass) {
    return addObjectProperty(rowClass, kEnabledTogglesView);
}

rt::Ref<rt::Object> MenuControllerRegistry::getInstance() {
    return SharedState::currentShortcutViewController();
}

rt::Ref<rt::Object> MenuControllerRegistry::property(rt::Object* owner, const char* name) {
    return rt::send<rt::Ref<rt::Object>>(owner, rt::sel(name));
}

void MenuControllerRegistry::setProperty(rt::Object* owner, const char* name, rt::Object* value) {
    rt::send<void>(owner, setterFor(name), value);
}

rt::Ref<SliderView> MenuControllerRegistry::sliderView(rt::Object* row) {
    return rt::cast<SliderView>(property(row, kSliderView));
}

rt::Ref<TogglesView> MenuControllerRegistry::togglesView(rt::Object* row) {
    return rt::cast<TogglesView>(property(row, kTogglesView));
}

rt::Ref<TogglesView> MenuControllerRegistry::enabledTogglesView(rt::Object* row) {
    return rt::cast<TogglesView>(property(row, kEnabledTogglesView));
}

}  // namespace morvane
