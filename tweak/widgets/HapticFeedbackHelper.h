#pragma once

namespace morvane {

// Haptic taps through the system's impact feedback generator. Class operations only. On a
// system without the generator class nothing happens.
class HapticFeedbackHelper {
  public:
    // "UIImpactFeedbackStyle" light.
    static constexpr long kLightStyle = 0;

    HapticFeedbackHelper() = delete;

    // "sendImpact": a light tap.
    static void sendImpact();
    // "sendImpactWithStyle:": one tap of that style from a generator made for it.
    static void sendImpactWithStyle(long style);
};

}  // namespace morvane
