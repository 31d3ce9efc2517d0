#include "springboard/SBUIAction.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/MethodBinding.h"

namespace springboard {

rt::Ref<SBUIAction> SBUIAction::initWithTitle(const std::string& title, const std::string& subtitle,
                                              rt::Ref<rt::Object> image,
                                              rt::Ref<rt::Object> badgeView,
                                              rt::Ref<rt::Object> handler) {
    _title = title;
    _subtitle = subtitle;
    _image = std::move(image);
    _badgeView = std::move(badgeView);
    _handler = std::move(handler);
    return rt::retained(this);
}

void SBUIAction::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBUIAction>(configuration);
    rt::addMethods(
        cls,
        {
            rt::bind<&SBUIAction::initWithTitle>("initWithTitle:subtitle:image:badgeView:handler:"),
            rt::bind<&SBUIAction::title>("title"),
            rt::bind<&SBUIAction::subtitle>("subtitle"),
            rt::bind<&SBUIAction::image>("image"),
            rt::bind<&SBUIAction::badgeView>("badgeView"),
            rt::bind<&SBUIAction::handler>("handler"),
        });
    if (cls) rt::declareField(cls, "_image", &SBUIAction::_image);
}

}  // namespace springboard
