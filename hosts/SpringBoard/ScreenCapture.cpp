#include "ScreenCapture.h"

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "device/Phone.h"
#include "render/ScreenRenderer.h"
#include "render/TimelinePlot.h"
#include "springboard/HomeScreen.h"

void ScreenCapture::settle() {
    core::RunLoop::main().runFor(0);
}

render::ScreenState ScreenCapture::currentScreen() {
    render::ScreenState state = render::ScreenState::ofPhone(device::Phone::shared());
    state.installedApps = springboard::HomeScreen::installedApps();
    state.menuView = openMenuView();
    state.menuApp = openMenuApp();
    return state;
}

render::Picture ScreenCapture::screenPicture() {
    return render::ScreenRenderer().render(currentScreen());
}

render::Picture ScreenCapture::timelinePicture() {
    const device::Phone& phone = device::Phone::shared();
    return render::TimelinePlot::render(
        {phone.timeline(), core::Clock::now(), phone.volume(), phone.brightness()});
}

rt::Ref<ui::View> ScreenCapture::openMenuView() {
    return nullptr;  // the home screen has no icon menu controller yet
}

std::optional<std::string> ScreenCapture::openMenuApp() {
    return std::nullopt;
}
