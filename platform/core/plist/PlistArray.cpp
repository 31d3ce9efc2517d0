#include "core/plist/PlistArray.h"

#include "core/plist/PlistValue.h"

namespace core {

PlistArray::PlistArray() = default;

PlistArray::PlistArray(std::initializer_list<PlistValue> items)
    : _storage(std::make_shared<Storage>(items)) {}

const PlistArray::Storage& PlistArray::storage() const {
    static const Storage kEmpty;
    return _storage ? *_storage : kEmpty;
}

PlistArray::Storage& PlistArray::mutableStorage() {
    if (!_storage)
        _storage = std::make_shared<Storage>();
    else if (_storage.use_count() > 1)
        _storage = std::make_shared<Storage>(*_storage);
    return *_storage;
}

std::size_t PlistArray::size() const {
    return storage().size();
}

bool PlistArray::empty() const {
    return storage().empty();
}

const PlistValue* PlistArray::at(std::size_t index) const {
    return index < size() ? &storage()[index] : nullptr;
}

PlistArray::const_iterator PlistArray::begin() const {
    return storage().begin();
}

PlistArray::const_iterator PlistArray::end() const {
    return storage().end();
}

PlistValue* PlistArray::atMutable(std::size_t index) {
    return index < size() ? &mutableStorage()[index] : nullptr;
}

void PlistArray::append(PlistValue item) {
    mutableStorage().push_back(std::move(item));
}

bool PlistArray::remove(std::size_t index) {
    if (index >= size()) return false;
    auto& items = mutableStorage();
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void PlistArray::reserve(std::size_t count) {
    mutableStorage().reserve(count);
}

void PlistArray::clear() {
    _storage.reset();
}

bool PlistArray::sharesStorageWith(const PlistArray& other) const {
    return _storage && _storage == other._storage;
}

bool operator==(const PlistArray& left, const PlistArray& right) {
    return left._storage == right._storage || left.storage() == right.storage();
}

}  // namespace core
