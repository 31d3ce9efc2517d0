#include "rt/SelectorTable.h"

#include <mutex>

#include "rt/NoDestroy.h"

namespace rt {

SelectorTable& SelectorTable::shared() {
    static NoDestroy<SelectorTable> table;
    return table.get();
}

Selector SelectorTable::intern(std::string_view name) {
    {
        std::shared_lock lock(_mutex);
        if (auto found = _byName.find(name); found != _byName.end()) return Selector(found->second);
    }
    std::unique_lock lock(_mutex);
    if (auto found = _byName.find(name); found != _byName.end()) return Selector(found->second);
    const auto index = static_cast<std::uint32_t>(_entries.size());
    const Selector::Entry& entry = _entries.emplace_back(Selector::Entry{std::string(name), index});
    _byName.emplace(entry.name, &entry);
    return Selector(&entry);
}

std::uint32_t SelectorTable::count() const {
    std::shared_lock lock(_mutex);
    return static_cast<std::uint32_t>(_entries.size());
}

}  // namespace rt
