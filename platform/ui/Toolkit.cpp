#include "ui/Toolkit.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "foundation/BoxedString.h"
#include "foundation/Bundle.h"
#include "foundation/Locale.h"
#include "foundation/NumberFormatter.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Runtime.h"
#include "ui/AlertController.h"
#include "ui/AnimationLog.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Color.h"
#include "ui/Control.h"
#include "ui/Device.h"
#include "ui/Event.h"
#include "ui/Filter.h"
#include "ui/Font.h"
#include "ui/Image.h"
#include "ui/ImageView.h"
#include "ui/ImpactFeedbackGenerator.h"
#include "ui/Label.h"
#include "ui/Layer.h"
#include "ui/LayoutAnchor.h"
#include "ui/LayoutConstraint.h"
#include "ui/ListToolkit.h"
#include "ui/Slider.h"
#include "ui/StackView.h"
#include "ui/Touch.h"
#include "ui/TouchSet.h"
#include "ui/UIScreen.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace ui {

namespace {

using MethodInstaller = void (*)(rt::Class*);

// Registers T under Super unless the configuration leaves it out or Super is missing.
template <class T, class Super = rt::Object>
void registerToolkitClass(const device::DeviceConfiguration& configuration,
                          MethodInstaller installMethods = nullptr) {
    if (!rt::lookUpClass(Super::kClassName)) return;
    rt::Class* cls = device::registerUnlessLeftOut<T, Super>(configuration);
    if (cls && installMethods) installMethods(cls);
}

// Foundation value classes the toolkit answers with; registered only when no other layer
// registered them in this world.
template <class T>
void registerValueClassIfAbsent(MethodInstaller installMethods = nullptr) {
    if (rt::lookUpClass(T::kClassName)) return;
    rt::Class* cls = rt::registerClass<T>();
    if (installMethods) installMethods(cls);
}

void installTouchMethods(rt::Class* cls) {
    rt::addMethods(cls, {rt::bind<&Touch::phaseValue>("phase")});
}

}  // namespace

void registerClasses() {
    registerClasses(device::Phone::shared().configuration());
}

void registerClasses(const device::DeviceConfiguration& configuration) {
    AnimationLog::shared().clear();
    registerValueClassIfAbsent<BoxedString>();
    registerValueClassIfAbsent<TouchSet>(&TouchSet::registerRuntimeMethods);

    registerToolkitClass<Color>(configuration, &Color::registerRuntimeMethods);
    registerToolkitClass<Font>(configuration);
    registerToolkitClass<Image>(configuration);
    registerToolkitClass<Filter>(configuration, &Filter::registerRuntimeMethods);
    registerToolkitClass<Layer>(configuration);
    registerToolkitClass<View>(configuration, &View::registerRuntimeMethods);
    registerToolkitClass<ViewController>(configuration, &ViewController::registerRuntimeMethods);
    registerToolkitClass<AlertController, ViewController>(configuration);
    registerToolkitClass<Control, View>(configuration, &Control::registerRuntimeMethods);
    registerToolkitClass<Button, Control>(configuration, &Button::registerRuntimeMethods);
    registerToolkitClass<Slider, Control>(configuration, &Slider::registerRuntimeMethods);
    registerToolkitClass<Label, View>(configuration);
    registerToolkitClass<ImageView, View>(configuration);
    registerToolkitClass<StackView, View>(configuration, &StackView::registerRuntimeMethods);
    registerToolkitClass<LayoutConstraint>(configuration);
    registerToolkitClass<LayoutAnchor>(configuration);
    registerToolkitClass<Touch>(configuration, &installTouchMethods);
    registerToolkitClass<Event>(configuration, &Event::registerRuntimeMethods);
    registerToolkitClass<Application>(configuration);
    registerToolkitClass<Device>(configuration);
    registerToolkitClass<ImpactFeedbackGenerator>(configuration,
                                                  &ImpactFeedbackGenerator::registerRuntimeMethods);
    registerToolkitClass<Bundle>(configuration);
    registerToolkitClass<Locale>(configuration);
    registerToolkitClass<NumberFormatter>(configuration);
    if (!rt::lookUpClass(UIScreen::kClassName)) UIScreen::registerRuntimeClass(configuration);
    registerListClasses(configuration);
}

}  // namespace ui
