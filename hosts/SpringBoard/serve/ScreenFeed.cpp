#include "ScreenFeed.h"

#include <sys/stat.h>

#include <cmath>

#include "JsonText.h"
#include "PhoneState.h"
#include "ScreenCapture.h"
#include "StoredValues.h"
#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "device/Phone.h"

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
        values[at++] = static_cast<double>(file.st_mtim.tv_sec) * 1e9 +
                       static_cast<double>(file.st_mtim.tv_nsec);
    }
    values[at++] = _phone.reloadsHandled();
    return values;
}

// The phone's own screenshot (the Settings app's while it is in front), drawn and encoded
// again only when more than the brightness changed: the page darkens it by the brightness, as
// the eye sees the glass, so a glide sends states and no pictures. A picture drawn again the
// same (a change nobody sees, such as another app's stored value) is not a new picture.
void ScreenFeed::encodeIfChanged(const Signature& now) {
    Signature key = now;
    if (!device::Phone::shared().isBrightnessOverlayShowing()) key[kBrightnessSlot] = 0;
    if (_encoded && _encodedKey == key) return;
    std::string encoded;
    if (_phone.screen() == LivePhone::Screen::Settings && _phone.settings()->picture()) {
        encoded = _encoder.encode(*_phone.settings()->picture());
    } else {
        ScreenCapture::settle();
        if (_screen)
            ScreenCapture::drawScreen(*_screen);
        else
            _screen = ScreenCapture::screenPicture();
        encoded = _encoder.encode(*_screen);
    }
    _encodedKey = key;
    if (_encoded && *_encoded == encoded) return;
    _encoded = std::make_shared<const std::string>(std::move(encoded));
    ++_pictureNumber;
}

bool ScreenFeed::refresh(bool force) {
    const Signature now = signature();
    if (!force && _last == now) return false;
    _last = now;
    encodeIfChanged(now);
    nlohmann::json state = PhoneState::of(_phone);
    state["picture"] = _pictureNumber;
    _board.publish(_encoded, jsonText(state));
    return true;
}
