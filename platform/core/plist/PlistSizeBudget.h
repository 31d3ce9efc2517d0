#pragma once

#include "core/plist/PlistLimits.h"

#include <cstddef>

namespace core {

// The logical size a reader has produced so far, against kMaxPlistElements and
// kMaxPlistPayloadBytes. Readers charge each element and its payload as they make it, and
// charge a shared container's whole size again at every further reference.
class PlistSizeBudget {
  public:
    struct Size {
        std::size_t elements = 0;
        std::size_t payloadBytes = 0;
    };

    PlistSizeBudget() = default;
    PlistSizeBudget(std::size_t maxElements, std::size_t maxPayloadBytes)
        : _maxElements(maxElements), _maxPayloadBytes(maxPayloadBytes) {}

    // False (and nothing charged) when the charge would pass either bound.
    bool charge(std::size_t elements, std::size_t payloadBytes) {
        if (elements > _maxElements - _spent.elements ||
            payloadBytes > _maxPayloadBytes - _spent.payloadBytes)
            return false;
        _spent.elements += elements;
        _spent.payloadBytes += payloadBytes;
        return true;
    }
    bool charge(const Size& size) { return charge(size.elements, size.payloadBytes); }

    // What was charged since `earlier` (a previous spent()).
    Size spentSince(const Size& earlier) const;
    const Size& spent() const { return _spent; }

  private:
    std::size_t _maxElements = kMaxPlistElements;
    std::size_t _maxPayloadBytes = kMaxPlistPayloadBytes;
    Size _spent;
};

}  // namespace core
