#pragma once

#include <span>

#include "rt/Class.h"

namespace morvane {

enum class HookKind { Replaced, Added, AddedProperties };

// One row of the table of host methods the library replaces or adds, in installation order.
struct HookRow {
    const char* className;
    const char* methods;  // what the row installs, as the host spells it
    HookKind kind;
    int methodCount;  // methods the row replaces or adds
    bool (*install)(rt::Class* hostClass);
};

class HookTable {
  public:
    static std::span<const HookRow> rows();

    // Installs every row whose host class exists, in table order. Answers the number of
    // rows installed.
    static int installAll();
};

}  // namespace morvane
