#pragma once

namespace ui {

// Option bits of the view animations ("UIViewAnimationOptions").
struct AnimationOptions {
    static constexpr unsigned long kLayoutSubviews = 1UL << 0;
    static constexpr unsigned long kAllowUserInteraction = 1UL << 1;
    static constexpr unsigned long kBeginFromCurrentState = 1UL << 2;
    static constexpr unsigned long kCurveEaseInOut = 0UL << 16;
    static constexpr unsigned long kCurveEaseIn = 1UL << 16;
    static constexpr unsigned long kCurveEaseOut = 2UL << 16;
    static constexpr unsigned long kCurveLinear = 3UL << 16;
    static constexpr unsigned long kTransitionNone = 0UL << 20;
    static constexpr unsigned long kTransitionFlipFromLeft = 1UL << 20;
    static constexpr unsigned long kTransitionFlipFromRight = 2UL << 20;
    static constexpr unsigned long kTransitionCurlUp = 3UL << 20;
    static constexpr unsigned long kTransitionCurlDown = 4UL << 20;
    static constexpr unsigned long kTransitionCrossDissolve = 5UL << 20;
};

}  // namespace ui
