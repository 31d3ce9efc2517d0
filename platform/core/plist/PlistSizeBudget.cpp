#include "core/plist/PlistSizeBudget.h"

namespace core {

bool PlistSizeBudget::charge(std::size_t elements, std::size_t payloadBytes) {
    if (elements > _maxElements - _spent.elements ||
        payloadBytes > _maxPayloadBytes - _spent.payloadBytes)
        return false;
    _spent.elements += elements;
    _spent.payloadBytes += payloadBytes;
    return true;
}

PlistSizeBudget::Size PlistSizeBudget::spentSince(const Size& earlier) const {
    return {_spent.elements - earlier.elements, _spent.payloadBytes - earlier.payloadBytes};
}

}  // namespace core
