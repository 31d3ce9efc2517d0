#include "tweak/menu/MenuControllerRegistry.h"

#include <cctype>
#include <string>

#include "foundation/Property.h"
#include "rt/Hook.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "tweak/menu/ValueEditing.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/SharedState.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/TogglesView.h"

namespace morvane {

namespace {

// "sliderView" -> "setSliderView:".
rt::Selector setterFor(const char* property) {
    std::string setter = std::string("set") + property + ":";
    setter[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(setter[3])));
    return rt::sel(setter);
}

}  // namespace

void MenuControllerRegistry::loadView(rt::Object* self, rt::Selector cmd) {
    rt::original<&loadView>(self, cmd);
}

void MenuControllerRegistry::viewDidLayoutSubviews(rt::Object* self, rt::Selector cmd) {
    rt::original<&viewDidLayoutSubviews>(self, cmd);
    SharedState::currentShortcutViewController() = rt::retained(self);
}

// A save due later then finds nothing to do.
void MenuControllerRegistry::viewWillDisappear(rt::Object* self, rt::Selector cmd, bool animated) {
    rt::original<&viewWillDisappear>(self, cmd, animated);
    runGuarded([&] { ValueEditing::savePendingSliderValues(self); });
    SharedState::currentShortcutViewController() = nullptr;
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
