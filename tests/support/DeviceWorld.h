#pragma once

#include "core/dispatch/Clock.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/preferences/AppPreferences.h"
#include "support/TemporaryDirectory.h"

namespace testing_support {

// A fresh device root with a freshly booted clock and notification centre, for one test.
class DeviceWorld {
  public:
    explicit DeviceWorld(core::ClockMode mode = core::ClockMode::Virtual) {
        core::DeviceRoot::set(_root.path());
        core::NotifyCenter::darwin().reset();
        core::resetAppPreferencesForTesting();
        core::Clock::boot(mode);
    }
    ~DeviceWorld() {
        core::NotifyCenter::darwin().reset();
        core::Clock::boot(core::ClockMode::Real);
    }

    const std::filesystem::path& root() const { return _root.path(); }

  private:
    TemporaryDirectory _root;
};

}  // namespace testing_support
