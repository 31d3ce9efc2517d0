#include "rt/Messaging.h"

#include <mutex>
#include <shared_mutex>

#include "rt/SignatureMismatch.h"
#include "rt/UnrecognizedSelector.h"
#include "rt/World.h"

namespace rt::detail {

const Method& resolveSend(const Object& receiver, Selector selector,
                          const std::type_info& callType) {
    const Class& cls = *receiver.getClass();
    const Method& method = cls.methodFor(selector);
    if (method.signature().matches(callType)) return method;
    if (method.isNone()) throw UnrecognizedSelector(cls, selector);
    throw SignatureMismatch(cls, selector, method.signature(), Signature::ofType(callType));
}

bool addMethod(Class* cls, Selector selector, Signature signature, Method::Imp imp) {
    if (!cls || !imp) return false;
    std::unique_lock lock(cls->world().mutex());
    if (cls->ownMethod(selector)) return false;
    cls->addOwnMethod(selector, signature, imp);
    cls->world().invalidateCaches();
    return true;
}

bool hookMessage(Class* cls, Selector selector, Signature signature, Method::Imp replacement,
                 void* originalSlot, OriginalWriter writeOriginal) {
    // The slot is only ever written whole and never cleared while a replacement that calls
    // it could be running: it is null only when nothing was hooked.
    auto nothingHooked = [&] {
        if (originalSlot) writeOriginal(originalSlot, nullptr);
        return false;
    };
    if (!cls || !replacement) return nothingHooked();
    std::unique_lock lock(cls->world().mutex());
    Method* own = cls->ownMethod(selector);
    const Method* existing = own ? own : cls->inheritedMethod(selector);
    if (!existing) return nothingHooked();
    if (!(existing->signature() == signature)) {
        throw SignatureMismatch(*cls, selector, existing->signature(), signature);
    }
    // The original must be callable before the replacement can run on another thread.
    if (originalSlot) writeOriginal(originalSlot, existing->imp());
    if (own) {
        own->setImp(replacement);
    } else {
        cls->addOwnMethod(selector, signature, replacement);
        cls->world().invalidateCaches();
    }
    return true;
}

}  // namespace rt::detail
