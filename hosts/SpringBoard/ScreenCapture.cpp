#include "ScreenCapture.h"

#include "DeliverableInstaller.h"
#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "device/Phone.h"
#include "render/ScreenRenderer.h"
#include "render/TimelinePlot.h"
#include "springboard/HomeScreen.h"
#include "springboard/IconMenu.h"

void ScreenCapture::settle() {
    core::RunLoop::main().runFor(0);
}

render::ScreenState ScreenCapture::currentScreen() {
    render::ScreenState state = render::ScreenState::ofPhone(device::Phone::shared());
    state.glyphBundle = DeliverableInstaller::kBundleDevicePath;
    state.installedApps = springboard::HomeScreen::installedApps();
    state.menuView = openMenuView();
    state.menuApp = openMenuApp();
    return state;
}

render::Picture ScreenCapture::screenPicture(bool asSeen) {
    render::ScreenState state = currentScreen();
    state.asSeen = asSeen;
    return render::ScreenRenderer().render(state);
}

void ScreenCapture::drawScreen(render::Picture& picture) {
    render::ScreenRenderer().renderInto(currentScreen(), picture);
}

render::Picture ScreenCapture::timelinePicture() {
    const device::Phone& phone = device::Phone::shared();
    return render::TimelinePlot::render({phone.timeline(), core::Clock::now(), phone.volume(),
                                         phone.brightness(),
                                         springboard::HomeScreen::installedApps()});
}

// The open icon menu's screen-sized container (the menu's view laid out inside it).
rt::Ref<ui::View> ScreenCapture::openMenuView() {
    return springboard::IconMenu::screen();
}

std::optional<std::string> ScreenCapture::openMenuApp() {
    std::string app = springboard::IconMenu::openApp();
    if (app.empty()) return std::nullopt;
    return app;
}
