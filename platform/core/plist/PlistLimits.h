#pragma once

#include <cstddef>

namespace core {

// Deepest container nesting a property list may have. Readers refuse deeper files (they
// would otherwise recurse without bound); writers refuse deeper values.
inline constexpr std::size_t kMaxPlistNestingDepth = 512;

}  // namespace core
