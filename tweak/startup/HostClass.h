#pragma once

#include <cstdint>
#include <mutex>

#include "rt/Class.h"

namespace morvane {

// A host class found by name on first use and kept; looked up again only when the runtime
// has booted a new world since (tests start fresh worlds in one process). Safe from any
// thread. An absent class answers null, and is looked for again at the next use.
class HostClass {
  public:
    explicit HostClass(const char* name) : _name(name) {}

    rt::Class* get();
    const char* name() const { return _name; }

  private:
    const char* _name;
    std::mutex _mutex;
    rt::Class* _class = nullptr;
    std::uint64_t _generation = 0;
};

}  // namespace morvane
