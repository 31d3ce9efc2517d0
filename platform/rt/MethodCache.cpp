#include "rt/MethodCache.h"

#include <algorithm>
#include <bit>

namespace rt {

void MethodCache::store(std::uint32_t index, const Method* method, std::uint32_t selectorCount) {
    slotsFor(index, selectorCount)[index].store(method, std::memory_order_release);
}

MethodCache::Slot* MethodCache::slotsFor(std::uint32_t index, std::uint32_t selectorCount) {
    std::lock_guard lock(_growMutex);
    const std::uint32_t capacity = _capacity.load(std::memory_order_relaxed);
    Slot* current = _slots.load(std::memory_order_relaxed);
    if (index < capacity) return current;

    const std::uint32_t size = std::bit_ceil(std::max({64u, index + 1u, selectorCount}));
    auto grown = std::make_unique<Slot[]>(size);
    for (std::uint32_t i = 0; i < size; ++i) {
        grown[i].store(i < capacity ? current[i].load(std::memory_order_relaxed) : nullptr,
                       std::memory_order_relaxed);
    }
    Slot* slots = _arrays.emplace_back(SlotArray{std::move(grown), size}).slots.get();
    _slots.store(slots, std::memory_order_release);
    _capacity.store(size, std::memory_order_release);
    return slots;
}

void MethodCache::clear() {
    std::lock_guard lock(_growMutex);
    for (const SlotArray& array : _arrays) {
        for (std::uint32_t i = 0; i < array.size; ++i) {
            array.slots[i].store(nullptr, std::memory_order_release);
        }
    }
}

}  // namespace rt
