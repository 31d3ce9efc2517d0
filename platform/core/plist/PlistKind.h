#pragma once

namespace core {

// The eight kinds of value a property list holds.
enum class PlistKind { Boolean, Integer, Real, String, Data, Date, Array, Dictionary };

}  // namespace core
