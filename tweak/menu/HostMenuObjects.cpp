#include "tweak/menu/HostMenuObjects.h"

#include "foundation/BoxedString.h"
#include "foundation/StringComparison.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"
#include "ui/Application.h"
#include "ui/Device.h"

namespace morvane {

namespace {

constexpr const char* kTitleLabel = "_titleLabel";
constexpr const char* kTextLabel = "_label";
constexpr const char* kSubtitleLabel = "_subtitleLabel";
constexpr const char* kLegibilityTreatedTitleLabel = "_legibilityTreatedTitleLabel";
constexpr const char* kLegibilityTreatedSubtitleLabel = "_legibilityTreatedSubtitleLabel";
constexpr const char* kLastVersionWithoutLegibilityLabels = "11.4.1";

using StringImp = std::string (*)(rt::Object*, rt::Selector);
using ObjectImp = rt::Ref<rt::Object> (*)(rt::Object*, rt::Selector);

ui::View* viewField(rt::Object* object, std::string_view name) {
    return object ? rt::cast<ui::View>(rt::getField(object, name)) : nullptr;
}

}  // namespace

std::optional<std::string> HostMenuObjects::stringAnswer(rt::Object* receiver,
                                                         std::string_view selectorName) {
    if (!receiver) return std::nullopt;
    const rt::Selector selector = rt::sel(selectorName);
    const rt::Method& method = receiver->getClass()->methodFor(selector);
    if (method.isNone()) return std::nullopt;
    if (method.signature().isExactly(typeid(StringImp))) {
        std::string answer = rt::send<std::string>(receiver, selector);
        if (answer.empty()) return std::nullopt;
        return answer;
    }
    if (method.signature().isExactly(typeid(ObjectImp))) {
        const rt::Ref<rt::Object> answer = rt::send<rt::Ref<rt::Object>>(receiver, selector);
        if (const auto* string = rt::cast<ui::BoxedString>(answer.get())) return string->value();
    }
    return std::nullopt;
}

ui::View* HostMenuObjects::titleLabel(rt::Object* row) {
    return viewField(row, kTitleLabel);
}

ui::Label* HostMenuObjects::titleTextLabel(rt::Object* row) {
    ui::View* title = titleLabel(row);
    return title ? rt::cast<ui::Label>(rt::getField(title, kTextLabel)) : nullptr;
}

ui::Label* HostMenuObjects::subtitleLabel(rt::Object* row) {
    return textLabelOf(rt::getField(row, kSubtitleLabel));
}

ui::View* HostMenuObjects::legibilityTreatedTitleLabel(rt::Object* row) {
    return systemIsNewerThan11_4_1() ? viewField(row, kLegibilityTreatedTitleLabel) : nullptr;
}

ui::View* HostMenuObjects::legibilityTreatedSubtitleLabel(rt::Object* row) {
    return systemIsNewerThan11_4_1() ? viewField(row, kLegibilityTreatedSubtitleLabel) : nullptr;
}

ui::Label* HostMenuObjects::textLabelOf(rt::Object* labelObject) {
    if (!labelObject) return nullptr;
    if (auto* label = rt::cast<ui::Label>(labelObject)) return label;
    return rt::cast<ui::Label>(rt::getField(labelObject, kTextLabel));
}

bool HostMenuObjects::systemIsNewerThan11_4_1() {
    const rt::Ref<ui::Device> device = ui::Device::currentDevice();
    if (!device) return false;
    return ui::StringComparison::compare(
               device->systemVersion(), kLastVersionWithoutLegibilityLabels,
               ui::StringComparison::kNumeric) == ui::StringComparison::Result::Descending;
}

bool HostMenuObjects::layoutIsRightToLeft() {
    const rt::Ref<ui::Application> application = ui::Application::sharedApplication();
    return application &&
           application->userInterfaceLayoutDirection() == ui::Application::kRightToLeft;
}

}  // namespace morvane
