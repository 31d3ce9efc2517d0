#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/dispatch/Clock.h"
#include "device/DeviceConfiguration.h"
#include "device/Phone.h"
#include "render/ScreenState.h"
#include "rt/Runtime.h"
#include "support/DeviceWorld.h"
#include "tweak/widgets/WidgetClasses.h"
#include "ui/Toolkit.h"

namespace render_testing {

// Where the hosts install the resource bundle whose glyphs the screen draws.
inline constexpr const char* kGlyphBundle = "/Library/Application Support/MorvaneBundle.bundle";

// A fresh world for drawing: a device root holding the shipped resource bundle (the glyphs),
// a virtual clock, a phone booted as configured, the toolkit's and the widgets' classes.
class RenderWorld {
  public:
    explicit RenderWorld(const device::DeviceConfiguration& configuration = {},
                         bool withBundle = true) {
        rt::resetWorld();
        _world.emplace(core::ClockMode::Virtual);
        device::Phone::boot(configuration);
        ui::registerClasses(configuration);
        morvane::registerWidgetClasses();
        if (withBundle) {
            const auto bundle =
                _world->root() / std::string(kGlyphBundle).substr(1);
            std::filesystem::create_directories(bundle.parent_path());
            std::filesystem::copy(MORVANE_BUNDLE_DIR, bundle,
                                  std::filesystem::copy_options::recursive);
        }
    }

    const std::filesystem::path& root() const { return _world->root(); }

  private:
    std::optional<testing_support::DeviceWorld> _world;
};

}  // namespace render_testing
