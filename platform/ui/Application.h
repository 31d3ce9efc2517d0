#pragma once

#include <optional>

#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// The running application ("UIApplication"): one per world.
class Application : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIApplication";

    // "UIUserInterfaceLayoutDirection" values.
    static constexpr long kLeftToRight = 0;
    static constexpr long kRightToLeft = 1;

    // "sharedApplication": null when the class is not registered in this world.
    static rt::Ref<Application> sharedApplication();

    // The phone's layout direction unless one was set on the application.
    long userInterfaceLayoutDirection() const;
    void setUserInterfaceLayoutDirection(long direction) { _layoutDirection = direction; }

  private:
    std::optional<long> _layoutDirection;
};

}  // namespace ui
