#include "rt/Hook.h"

#include <stdexcept>
#include <string>

namespace rt::detail {

void throwNotHooked(Selector selector) {
    throw std::logic_error("rt: the original of " + std::string(selector.name()) +
                           " was asked for, but its replacement is not hooked");
}

}  // namespace rt::detail
