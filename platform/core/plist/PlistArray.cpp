#include "core/plist/PlistArray.h"

#include "core/plist/PlistValue.h"

namespace core {

PlistArray::PlistArray() = default;

PlistArray::PlistArray(std::initializer_list<PlistValue> items) : _storage(Storage(items)) {}

PlistArray::PlistArray(Storage items) {
    if (!items.empty()) _storage = CopyOnWrite<Storage>(std::move(items));
}

std::size_t PlistArray::size() const {
    return _storage.read().size();
}

bool PlistArray::empty() const {
    return _storage.read().empty();
}

const PlistValue* PlistArray::at(std::size_t index) const {
    return index < size() ? &_storage.read()[index] : nullptr;
}

PlistArray::const_iterator PlistArray::begin() const {
    return _storage.read().begin();
}

PlistArray::const_iterator PlistArray::end() const {
    return _storage.read().end();
}

PlistValue* PlistArray::atMutable(std::size_t index) {
    return index < size() ? &_storage.write()[index] : nullptr;
}

void PlistArray::append(PlistValue item) {
    _storage.write().push_back(std::move(item));
}

bool PlistArray::remove(std::size_t index) {
    if (index >= size()) return false;
    auto& items = _storage.write();
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void PlistArray::reserve(std::size_t count) {
    _storage.write().reserve(count);
}

void PlistArray::clear() {
    _storage.reset();
}

bool PlistArray::sharesStorageWith(const PlistArray& other) const {
    return _storage.sharesWith(other._storage);
}

bool operator==(const PlistArray& left, const PlistArray& right) {
    return left._storage.sameAs(right._storage) || left._storage.read() == right._storage.read();
}

}  // namespace core
