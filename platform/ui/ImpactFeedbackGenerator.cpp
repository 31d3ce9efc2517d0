#include "ui/ImpactFeedbackGenerator.h"

#include "device/Phone.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace ui {

void ImpactFeedbackGenerator::impactOccurred() {
    device::Phone::shared().recordImpact(_style);
}

void ImpactFeedbackGenerator::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&ImpactFeedbackGenerator::impactOccurred>("impactOccurred"),
                            rt::bind<&ImpactFeedbackGenerator::prepare>("prepare"),
                        });
}

}  // namespace ui
