#pragma once

#include <atomic>

#include "rt/Selector.h"
#include "rt/Signature.h"

namespace rt {

class Class;

// One method of a class: its selector, its stored signature and its implementation. The
// implementation is atomic so that a replacement is seen by concurrent senders; methods
// are never freed while their class lives.
class Method {
  public:
    using Imp = void (*)();

    Method(Selector selector, Signature signature, Imp imp, const Class* owner)
        : _selector(selector), _signature(signature), _imp(imp), _owner(owner) {}

    // Stands in for "no such method" in caches: its signature matches no call.
    static const Method& none();

    Selector selector() const { return _selector; }
    const Signature& signature() const { return _signature; }
    Imp imp() const { return _imp.load(std::memory_order_acquire); }
    void setImp(Imp imp) { _imp.store(imp, std::memory_order_release); }
    const Class* owner() const { return _owner; }
    bool isNone() const { return this == &none(); }

  private:
    Selector _selector;
    Signature _signature;
    std::atomic<Imp> _imp;
    const Class* _owner;
};

}  // namespace rt
