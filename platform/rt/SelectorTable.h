#pragma once

#include <cstdint>
#include <deque>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "rt/Selector.h"

namespace rt {

// The process-wide table of interned selector names.
class SelectorTable {
  public:
    static SelectorTable& shared();

    // Index 0 is the empty name, which a default (null) selector also answers, so a
    // null selector is simply one that no class implements.
    SelectorTable() { intern(""); }

    Selector intern(std::string_view name);
    // How many selectors exist; every index is below it.
    std::uint32_t count() const;

  private:
    mutable std::shared_mutex _mutex;
    std::deque<Selector::Entry> _entries;  // stable addresses
    std::unordered_map<std::string_view, const Selector::Entry*> _byName;
};

}  // namespace rt
