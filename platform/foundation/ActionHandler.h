#pragma once

#include <functional>

#include "rt/Object.h"

namespace springboard {

// A block handed around as an object ("NSBlock"): what a menu action runs when its row is
// tapped.
class ActionHandler : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSBlock";

    ActionHandler() = default;
    explicit ActionHandler(std::function<void()> block) : _block(std::move(block)) {}

    void invoke() const {
        if (_block) _block();
    }

    static void registerRuntimeClass();

  private:
    std::function<void()> _block;
};

}  // namespace springboard
