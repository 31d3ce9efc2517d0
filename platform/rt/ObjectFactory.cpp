#include "rt/ObjectFactory.h"

namespace rt {

namespace {
thread_local Class* tPendingClass = nullptr;
}  // namespace

Class* ObjectFactory::takePendingClass() {
    return std::exchange(tPendingClass, nullptr);
}

ObjectFactory::PendingClassScope::PendingClassScope(Class* cls)
    : _previous(std::exchange(tPendingClass, cls)) {}

ObjectFactory::PendingClassScope::~PendingClassScope() {
    tPendingClass = _previous;
}

}  // namespace rt
