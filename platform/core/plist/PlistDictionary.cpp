#include "core/plist/PlistDictionary.h"

#include "core/plist/PlistValue.h"

namespace core {

PlistDictionary::PlistDictionary() = default;

PlistDictionary::PlistDictionary(
    std::initializer_list<std::pair<const std::string, PlistValue>> entries)
    : _storage(std::make_shared<Storage>(entries)) {}

const PlistDictionary::Storage& PlistDictionary::storage() const {
    static const Storage kEmpty;
    return _storage ? *_storage : kEmpty;
}

PlistDictionary::Storage& PlistDictionary::mutableStorage() {
    if (!_storage)
        _storage = std::make_shared<Storage>();
    else if (_storage.use_count() > 1)
        _storage = std::make_shared<Storage>(*_storage);
    return *_storage;
}

std::size_t PlistDictionary::size() const {
    return storage().size();
}

bool PlistDictionary::empty() const {
    return storage().empty();
}

bool PlistDictionary::contains(std::string_view key) const {
    return find(key) != nullptr;
}

const PlistValue* PlistDictionary::find(std::string_view key) const {
    const auto found = storage().find(key);
    return found == storage().end() ? nullptr : &found->second;
}

PlistDictionary::const_iterator PlistDictionary::begin() const {
    return storage().begin();
}

PlistDictionary::const_iterator PlistDictionary::end() const {
    return storage().end();
}

PlistValue* PlistDictionary::findMutable(std::string_view key) {
    if (!contains(key)) return nullptr;
    return &mutableStorage().find(key)->second;
}

void PlistDictionary::set(std::string key, PlistValue value) {
    // Files list keys in order, so the end is the likeliest place: O(1) there.
    auto& entries = mutableStorage();
    entries.insert_or_assign(entries.end(), std::move(key), std::move(value));
}

bool PlistDictionary::remove(std::string_view key) {
    if (!contains(key)) return false;
    auto& entries = mutableStorage();
    entries.erase(entries.find(key));
    return true;
}

void PlistDictionary::clear() {
    _storage.reset();
}

bool PlistDictionary::sharesStorageWith(const PlistDictionary& other) const {
    return _storage && _storage == other._storage;
}

bool operator==(const PlistDictionary& left, const PlistDictionary& right) {
    return left._storage == right._storage || left.storage() == right.storage();
}

}  // namespace core
