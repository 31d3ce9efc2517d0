#pragma once

#include <memory>
#include <utility>

namespace core {

// Storage shared by copies and copied on the first mutation: copying is O(1), and changing a
// copy never affects the original. No storage at all stands for an empty one, so empty
// containers allocate nothing. Reading from several threads at once is safe; a mutation
// needs its owner to be the only thread touching it, as for any value.
template <typename Storage>
class CopyOnWrite {
  public:
    CopyOnWrite() = default;
    explicit CopyOnWrite(Storage storage)
        : _shared(std::make_shared<Storage>(std::move(storage))) {}

    const Storage& read() const { return _shared ? *_shared : empty(); }

    // The storage for a change: created when there is none, copied when shared.
    Storage& write() {
        if (!_shared)
            _shared = std::make_shared<Storage>();
        else if (_shared.use_count() > 1)
            _shared = std::make_shared<Storage>(*_shared);
        return *_shared;
    }

    void reset() { _shared.reset(); }

    bool sharesWith(const CopyOnWrite& other) const { return _shared && _shared == other._shared; }
    // Equal without looking: both empty, or one storage.
    bool sameAs(const CopyOnWrite& other) const { return _shared == other._shared; }

  private:
    static const Storage& empty() {
        static const Storage kEmpty;
        return kEmpty;
    }

    std::shared_ptr<Storage> _shared;
};

}  // namespace core
