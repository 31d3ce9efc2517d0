#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "rt/Class.h"

namespace morvane {

enum class HookKind { Replaced, Added, AddedClassMethod, AddedProperty };

// One row of the table of host methods the library replaces or adds, in installation order:
// the host class, the selector (for a property, its name: a getter and a setter are added),
// and what installs it.
struct HookRow {
    const char* className;
    std::string_view selector;
    HookKind kind;
    bool (*install)(rt::Class* hostClass, std::string_view selector);
};

// What an installation changed, as the runtime answers afterwards: host methods whose
// implementation is no longer the one before, and methods that were absent before.
struct InstallReport {
    int replaced = 0;
    int added = 0;
    std::map<std::string, int, std::less<>> addedByClass;
};

class HookTable {
  public:
    static std::span<const HookRow> rows();

    // Installs every row whose host class exists, in table order (a host without a class
    // runs without its rows), and reports what changed.
    static InstallReport installAll();
};

}  // namespace morvane
