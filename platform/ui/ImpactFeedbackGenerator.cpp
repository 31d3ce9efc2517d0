#include "ui/ImpactFeedbackGenerator.h"

#include "device/Phone.h"
#include "rt/Messaging.h"

namespace ui {

namespace {

ImpactFeedbackGenerator* asGenerator(rt::Object* self) {
    return static_cast<ImpactFeedbackGenerator*>(self);
}

void impactOccurredImp(rt::Object* self, rt::Selector) {
    asGenerator(self)->impactOccurred();
}

void prepareImp(rt::Object* self, rt::Selector) {
    asGenerator(self)->prepare();
}

}  // namespace

void ImpactFeedbackGenerator::impactOccurred() {
    device::Phone::shared().recordImpact(_style);
}

void ImpactFeedbackGenerator::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethod(cls, rt::sel("impactOccurred"), &impactOccurredImp);
    rt::addMethod(cls, rt::sel("prepare"), &prepareImp);
}

}  // namespace ui
