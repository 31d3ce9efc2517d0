#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace springboard {

// What one row of a shortcut menu shows and does: title, subtitle, image, badge view and
// the handler run when the row is tapped. Made by
//   "initWithTitle:subtitle:image:badgeView:handler:"
//     (const std::string&, const std::string&, rt::Object* image, rt::Object* badgeView,
//      rt::Object* handler) -> rt::Ref<rt::Object> (the action)
// and read by "title", "subtitle", "image", "badgeView", "handler".
class SBUIAction : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBUIAction";

    rt::Ref<SBUIAction> initWithTitle(const std::string& title, const std::string& subtitle,
                                      rt::Ref<rt::Object> image, rt::Ref<rt::Object> badgeView,
                                      rt::Ref<rt::Object> handler);

    const std::string& title() const { return _title; }
    const std::string& subtitle() const { return _subtitle; }
    const rt::Ref<rt::Object>& image() const { return _image; }
    const rt::Ref<rt::Object>& badgeView() const { return _badgeView; }
    const rt::Ref<rt::Object>& handler() const { return _handler; }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::string _title;
    std::string _subtitle;
    rt::Ref<rt::Object> _image;
    rt::Ref<rt::Object> _badgeView;
    rt::Ref<rt::Object> _handler;
};

}  // namespace springboard
