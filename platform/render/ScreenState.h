#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "device/Phone.h"
#include "device/Switch.h"
#include "device/SwitchState.h"
#include "rt/Ref.h"
#include "ui/View.h"

namespace render {

// What the phone's screen shows at one moment: everything the screen renderer reads, taken
// from the phone and the home-screen host. Plain data, so a test can state a screen directly.
struct ScreenState {
    double time = 0;  // clock seconds; the status bar's clock reads 9:41 at 0
    double brightness = 0.5;
    // Drawn as the eye sees the glass: darkened by the brightness (ScreenModel::lightFor).
    // Off, the picture is the phone's own screenshot, the same at every brightness.
    bool asSeen = false;
    double volume = 0.5;
    std::array<device::SwitchState, device::kSwitchCount> switches{};
    bool volumeOverlayShowing = false;
    bool brightnessOverlayShowing = false;
    bool rightToLeft = false;
    // Bundle identifiers, in the home screen's order.
    std::vector<std::string> installedApps;
    // The app in front (its screen covers the home screen), if any.
    std::optional<std::string> frontApp;
    // The resource bundle whose glyphs the status bar and the overlays draw (a device path),
    // given by the host; without one they draw plain marks.
    std::string glyphBundle;

    // An open icon menu: the menu's view (its view controller's view) in screen points, laid
    // over the home screen dimmed and blurred; the app whose icon opened it stays sharp.
    rt::Ref<ui::View> menuView;
    std::optional<std::string> menuApp;

    device::SwitchState switchState(device::Switch which) const {
        return switches[static_cast<std::size_t>(which)];
    }

    // The phone's part: clock, levels, switches, overlays showing, direction, and the app in
    // front as the phone's timeline tells it. The host adds the installed apps and the menu.
    static ScreenState ofPhone(const device::Phone& phone);
};

}  // namespace render
