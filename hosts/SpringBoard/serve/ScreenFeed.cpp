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
    values[kBrightnessSlot] = phone.brightness();
    ++at;
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

// The screen as the eye sees it: the phone's own screenshot (the Settings app's, or the home
// screen's drawn again only when more than the brightness changed), darkened by the light the
// brightness gives, so a glide costs an encoding a step.
std::string ScreenFeed::drawEncoded(const Signature& now) {
    const auto& device = device::Phone::shared();
    const double light = render::ScreenModel::lightFor(device.brightness());
    if (_phone.screen() == LivePhone::Screen::Settings && _phone.settings()->picture())
        return _encoder.encode(*_phone.settings()->picture(), light);
    Signature key = now;
    if (!device.isBrightnessOverlayShowing()) key[kBrightnessSlot] = 0;
    if (!_undimmed || _undimmedKey != key) {
        ScreenCapture::settle();
        _undimmed.emplace(ScreenCapture::screenPicture());
        _undimmedKey = key;
    }
    return _encoder.encode(*_undimmed, light);
}

bool ScreenFeed::refresh(bool force) {
    const Signature now = signature();
    if (!force && _last == now) return false;
    _last = now;
    _board.publish(drawEncoded(now), PhoneState::of(_phone).dump());
    return true;
}
