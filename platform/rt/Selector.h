#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace rt {

class SelectorTable;

// An interned message name spelled as on the device ("setVolume:"). A pointer-sized
// handle compared by identity; interned names live for the whole process, so a selector
// may be kept in a static and survives world resets.
class Selector {
  public:
    struct Entry {
        std::string name;
        std::uint32_t index;
    };

    Selector() = default;

    const std::string& name() const;
    // A dense small number, unique per name, for tables indexed by selector. The null
    // selector shares index 0 with the empty name, which no class implements.
    std::uint32_t index() const { return _entry ? _entry->index : 0; }
    bool isNull() const { return _entry == nullptr; }
    // A stable address unique to the name, usable as an attached-object key.
    const void* key() const { return _entry; }

    friend bool operator==(Selector a, Selector b) { return a._entry == b._entry; }

  private:
    friend class SelectorTable;
    explicit Selector(const Entry* entry) : _entry(entry) {}

    const Entry* _entry = nullptr;
};

// Interns a name (thread-safe).
Selector sel(std::string_view name);

}  // namespace rt

template <>
struct std::hash<rt::Selector> {
    std::size_t operator()(rt::Selector selector) const noexcept {
        return std::hash<const void*>{}(selector.key());
    }
};
