#pragma once

#include <cstddef>

namespace core {

// Deepest container nesting a property list may have. Readers refuse deeper files (they
// would otherwise recurse without bound); writers refuse deeper values.
inline constexpr std::size_t kMaxPlistNestingDepth = 512;

// Largest logical size of a value a reader returns, counted as if every shared container
// were written out in full (a binary file may reference one container from many places, so
// a few hundred bytes can describe 2^40 elements). Every value and every dictionary key is
// an element; the bytes are those of strings, keys and data. A preferences file of a million
// entries (two million elements) stays well inside; anything larger reads as unreadable, so
// writers and printers only ever see values they can expand.
inline constexpr std::size_t kMaxPlistElements = std::size_t{4} << 20;
inline constexpr std::size_t kMaxPlistPayloadBytes = std::size_t{256} << 20;

// Largest file a writer produces: no larger than what the file reader accepts, so whatever
// is written reads back.
inline constexpr std::size_t kMaxPlistWrittenSize = std::size_t{256} << 20;

}  // namespace core
