#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "FrameBoard.h"
#include "JpegEncoder.h"
#include "LivePhone.h"
#include "render/Picture.h"

// Publishes the screen's picture with the state only when something a person would see
// changed: while the phone is idle nothing is drawn and nothing is sent. The picture is the
// phone's own screenshot (the Settings app's while it is in front), drawn and encoded again
// only when more than the brightness changed; the state's `picture` numbers it, and the page
// darkens it by the state's brightness as the eye sees the glass. Main thread.
class ScreenFeed {
  public:
    ScreenFeed(LivePhone& phone, FrameBoard& board) : _phone(phone), _board(board) {}

    // Publishes a new frame when the phone changed since the last one (or `force`).
    // Answers whether it did.
    bool refresh(bool force = false);

  private:
    // What the picture depends on, cheaply read: the changes made, the levels, the switches,
    // the overlays showing and shown, the clock's minute, the values file's version and the
    // reloads of the settings handled.
    using Signature = std::array<double, 28>;
    static constexpr std::size_t kBrightnessSlot = 2;
    Signature signature() const;
    void encodeIfChanged(const Signature& now);

    LivePhone& _phone;
    FrameBoard& _board;
    JpegEncoder _encoder;
    // The screen's picture, drawn into again each time (its pixel buffer kept).
    std::optional<render::Picture> _screen;
    std::optional<Signature> _last;
    // The picture last encoded, the signature it was drawn for (brightness aside) and its number.
    std::shared_ptr<const std::string> _encoded;
    Signature _encodedKey{};
    std::uint64_t _pictureNumber = 0;
};
