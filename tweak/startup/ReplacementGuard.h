#pragma once

#include <exception>
#include <utility>

namespace morvane {

// Runs the library's own part of a replaced or added host method. Nothing the library does
// may throw into the host, which would end it: a failure ends this step silently, as every
// failure of the library does.
template <class Work>
void runGuarded(Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
    } catch (...) {
    }
}

}  // namespace morvane
