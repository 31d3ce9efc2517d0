#include "springboard/SBUILegibilityLabel.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/MethodBinding.h"

namespace springboard {

SBUILegibilityLabel::SBUILegibilityLabel() : _label(rt::make<ui::Label>()) {
    setUserInteractionEnabled(false);
    addSubview(_label.get());
}

void SBUILegibilityLabel::layoutSubviews() {
    _label->setFrame(bounds());
}

void SBUILegibilityLabel::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBUILegibilityLabel, ui::View>(configuration);
    if (!cls) return;
    rt::addMethods(cls, {
                            rt::bind<&SBUILegibilityLabel::layoutSubviews>("layoutSubviews"),
                            rt::bind<&SBUILegibilityLabel::text>("text"),
                            rt::bind<&SBUILegibilityLabel::setText>("setText:"),
                        });
    rt::declareField(cls, "_label", &SBUILegibilityLabel::_label);
}

}  // namespace springboard
