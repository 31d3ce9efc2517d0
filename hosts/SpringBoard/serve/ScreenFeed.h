#pragma once

#include <array>
#include <optional>

#include "FrameBoard.h"
#include "JpegEncoder.h"
#include "LivePhone.h"

// Draws the screen and publishes it with the state only when something a person would see
// changed: while the phone is idle nothing is drawn and nothing is sent. The screen is drawn
// as the eye sees the glass (darker at lower brightness); while the Settings app is in front
// its own picture is shown, darkened the same way. Main thread.
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
    std::string drawEncoded(const Signature& now);

    LivePhone& _phone;
    FrameBoard& _board;
    JpegEncoder _encoder;
    std::optional<Signature> _last;
    // The home screen's undimmed picture and the signature it was drawn for, brightness aside.
    std::optional<render::Picture> _undimmed;
    Signature _undimmedKey{};
};
