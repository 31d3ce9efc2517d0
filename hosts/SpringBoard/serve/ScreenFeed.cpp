#include "ScreenFeed.h"

#include <sys/stat.h>

#include <cmath>

#include "PhoneState.h"
#include "ScreenCapture.h"
#include "StoredValues.h"
#include "core/paths/DeviceRoot.h"
#include "core/dispatch/Clock.h"
#include "device/Phone.h"
#include "render/ScreenModel.h"

ScreenFeed::Signature ScreenFeed::signature() const {
    const auto& phone = device::Phone::shared();
    const auto overlays = phone.overlays();
    Signature values{};
    std::size_t at = 0;
    values[at++] = static_cast<double>(_phone.changes());
    values[at++] = phone.volume();
    values[at++] = phone.brightness();
    values[at++] = phone.isVolumeOverlayShowing();
    values[at++] = phone.isBrightnessOverlayShowing();
    values[at++] = overlays.volume;
    values[at++] = overlays.brightness;
    values[at++] = std::floor(core::Clock::now() / 60);
    for (const auto which : device::allSwitches())
        values[at++] = static_cast<double>(phone.switchState(which));
    // The values file replaced (a value saved after a drag) and the settings read again.
    struct stat file {};
    const auto path = core::DeviceRoot::map(StoredValues::kDevicePath);
    if (path && ::stat(path->c_str(), &file) == 0) {
        values[at++] = static_cast<double>(file.st_ino);
        values[at++] = static_cast<double>(file.st_size);
        values[at++] = static_cast<double>(file.st_mtim.tv_sec) * 1e9 + static_cast<double>(file.st_mtim.tv_nsec);
    }
    values[at++] = _phone.reloadsHandled();
    return values;
}

// The home screen is drawn as seen; the Settings app's picture is its own screenshot, darkened
// here the same way.
std::string ScreenFeed::drawEncoded() {
    if (_phone.screen() == LivePhone::Screen::Settings && _phone.settings()->picture()) {
        const double light = render::ScreenModel::lightFor(device::Phone::shared().brightness());
        return _encoder.encode(*_phone.settings()->picture(), light);
    }
    ScreenCapture::settle();
    return _encoder.encode(ScreenCapture::screenPicture(true));
}

bool ScreenFeed::refresh(bool force) {
    const Signature now = signature();
    if (!force && _last == now) return false;
    _last = now;
    _board.publish(drawEncoded(), PhoneState::of(_phone).dump());
    return true;
}
