#include "core/plist/PlistSizeBudget.h"

namespace core {

PlistSizeBudget::Size PlistSizeBudget::spentSince(const Size& earlier) const {
    return {_spent.elements - earlier.elements, _spent.payloadBytes - earlier.payloadBytes};
}

}  // namespace core
