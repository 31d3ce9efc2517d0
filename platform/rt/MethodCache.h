#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace rt {

class Method;

// A class's method cache: slots indexed by the selector's dense index holding the method
// found through the superclass chain (or Method::none()). A hit takes no lock and no hash:
// a bounds check and two loads. Slot arrays only grow; a grown array is published before
// the larger capacity, and earlier arrays stay allocated, so a reader never indexes past
// an array nor reads freed memory.
class MethodCache {
  public:
    MethodCache() = default;
    MethodCache(const MethodCache&) = delete;
    MethodCache& operator=(const MethodCache&) = delete;

    const Method* find(std::uint32_t index) const {
        if (index >= _capacity.load(std::memory_order_acquire)) return nullptr;
        return _slots.load(std::memory_order_acquire)[index].load(std::memory_order_acquire);
    }

    // Callers hold the world's lock (shared) so no invalidation runs meanwhile.
    void store(std::uint32_t index, const Method* method, std::uint32_t selectorCount);
    // Callers hold the world's lock (exclusive).
    void clear();

  private:
    using Slot = std::atomic<const Method*>;
    struct SlotArray {
        std::unique_ptr<Slot[]> slots;
        std::uint32_t size;
    };

    Slot* slotsFor(std::uint32_t index, std::uint32_t selectorCount);

    std::atomic<std::uint32_t> _capacity{0};
    std::atomic<Slot*> _slots{nullptr};
    std::mutex _growMutex;
    std::vector<SlotArray> _arrays;  // every array ever made, newest last
};

}  // namespace rt
