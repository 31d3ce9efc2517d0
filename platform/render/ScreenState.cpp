#include "render/ScreenState.h"

#include "core/dispatch/Clock.h"
#include "render/TimelineEvents.h"

namespace render {

ScreenState ScreenState::ofPhone(const device::Phone& phone) {
    ScreenState state;
    state.time = core::Clock::now();
    state.brightness = phone.brightness();
    state.volume = phone.volume();
    for (device::Switch which : device::allSwitches())
        state.switches[static_cast<std::size_t>(which)] = phone.switchState(which);
    state.volumeOverlayShowing = phone.isVolumeOverlayShowing();
    state.brightnessOverlayShowing = phone.isBrightnessOverlayShowing();
    state.rightToLeft = phone.layoutDirection() == device::LayoutDirection::RightToLeft;
    state.frontApp = TimelineEvents::read(phone.timeline()).frontApp();
    return state;
}

}  // namespace render
