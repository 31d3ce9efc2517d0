#pragma once

namespace device {

// The direction in which the phone's language is written and its interface laid out.
enum class LayoutDirection { LeftToRight, RightToLeft };

}  // namespace device
