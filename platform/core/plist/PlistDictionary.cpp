#include "core/plist/PlistDictionary.h"

#include <algorithm>
#include <cmath>

#include "core/plist/PlistValue.h"

namespace core {

namespace {

using Entry = PlistDictionary::Entry;

bool keyBefore(const Entry& entry, std::string_view key) {
    return std::string_view(entry.first) < key;
}

bool keysBefore(const Entry& left, const Entry& right) {
    return left.first < right.first;
}

// The entry with the key in a sorted array, or its end.
template <typename Entries>
auto findIn(Entries& entries, std::string_view key) {
    const auto found = std::lower_bound(entries.begin(), entries.end(), key, keyBefore);
    return found != entries.end() && found->first == key ? found : entries.end();
}

// Sorts entries by key; of equal keys the last one given stays.
void sortKeepingLast(std::vector<Entry>& entries) {
    const auto strictlyAscending = [&entries] {
        for (std::size_t index = 1; index < entries.size(); ++index)
            if (!(entries[index - 1].first < entries[index].first)) return false;
        return true;
    };
    if (strictlyAscending()) return;  // what a file read usually gives
    std::reverse(entries.begin(), entries.end());
    std::stable_sort(entries.begin(), entries.end(), keysBefore);
    const auto sameKey = [](const Entry& left, const Entry& right) {
        return left.first == right.first;
    };
    entries.erase(std::unique(entries.begin(), entries.end(), sameKey), entries.end());
}

// How many keys added out of order wait before they are merged into `settled` entries.
std::size_t recentBound(std::size_t settled) {
    return 16 + static_cast<std::size_t>(std::sqrt(static_cast<double>(settled)));
}

}  // namespace

PlistDictionary::PlistDictionary() = default;

PlistDictionary::PlistDictionary(
    std::initializer_list<std::pair<const std::string, PlistValue>> entries) {
    // As for a map built from a list, the first of equal keys stays.
    std::vector<Entry> reversed;
    reversed.reserve(entries.size());
    for (auto entry = std::rbegin(entries); entry != std::rend(entries); ++entry)
        reversed.emplace_back(entry->first, entry->second);
    *this = PlistDictionary(std::move(reversed));
}

PlistDictionary::PlistDictionary(std::vector<Entry> entries) {
    if (entries.empty()) return;
    sortKeepingLast(entries);
    _storage = CopyOnWrite<Storage>(Storage{std::move(entries), {}});
}

std::size_t PlistDictionary::size() const {
    return _storage.read().settled.size() + _storage.read().recent.size();
}

bool PlistDictionary::empty() const {
    return size() == 0;
}

bool PlistDictionary::contains(std::string_view key) const {
    return find(key) != nullptr;
}

const PlistValue* PlistDictionary::find(std::string_view key) const {
    const Storage& storage = _storage.read();
    if (const auto found = findIn(storage.settled, key); found != storage.settled.end())
        return &found->second;
    const auto found = findIn(storage.recent, key);
    return found == storage.recent.end() ? nullptr : &found->second;
}

PlistDictionary::const_iterator PlistDictionary::begin() const {
    const Storage& storage = _storage.read();
    const auto* settled = storage.settled.data();
    const auto* recent = storage.recent.data();
    return const_iterator(settled, settled + storage.settled.size(), recent,
                          recent + storage.recent.size());
}

PlistDictionary::const_iterator PlistDictionary::end() const {
    const Storage& storage = _storage.read();
    const auto* settledEnd = storage.settled.data() + storage.settled.size();
    const auto* recentEnd = storage.recent.data() + storage.recent.size();
    return const_iterator(settledEnd, settledEnd, recentEnd, recentEnd);
}

PlistValue* PlistDictionary::findMutable(std::string_view key) {
    if (!contains(key)) return nullptr;
    Storage& storage = _storage.write();
    if (const auto found = findIn(storage.settled, key); found != storage.settled.end())
        return &found->second;
    return &findIn(storage.recent, key)->second;
}

void PlistDictionary::set(std::string key, PlistValue value) {
    if (PlistValue* stored = findMutable(key)) {
        *stored = std::move(value);
        return;
    }
    Storage& storage = _storage.write();
    // Keys that come in order (a file, a sorted list) go straight to the end.
    if (storage.recent.empty() &&
        (storage.settled.empty() || storage.settled.back().first < key)) {
        storage.settled.emplace_back(std::move(key), std::move(value));
        return;
    }
    const auto position =
        std::lower_bound(storage.recent.begin(), storage.recent.end(), key, keyBefore);
    storage.recent.emplace(position, std::move(key), std::move(value));
    if (storage.recent.size() > recentBound(storage.settled.size())) settle(storage);
}

void PlistDictionary::settle(Storage& storage) {
    const auto middle = static_cast<std::ptrdiff_t>(storage.settled.size());
    storage.settled.insert(storage.settled.end(), std::make_move_iterator(storage.recent.begin()),
                           std::make_move_iterator(storage.recent.end()));
    storage.recent.clear();
    std::inplace_merge(storage.settled.begin(), storage.settled.begin() + middle,
                       storage.settled.end(), keysBefore);
}

bool PlistDictionary::remove(std::string_view key) {
    if (!contains(key)) return false;
    Storage& storage = _storage.write();
    if (const auto found = findIn(storage.settled, key); found != storage.settled.end())
        storage.settled.erase(found);
    else
        storage.recent.erase(findIn(storage.recent, key));
    return true;
}

void PlistDictionary::clear() {
    _storage.reset();
}

bool PlistDictionary::sharesStorageWith(const PlistDictionary& other) const {
    return _storage.sharesWith(other._storage);
}

bool operator==(const PlistDictionary& left, const PlistDictionary& right) {
    return left._storage.sameAs(right._storage) ||
           (left.size() == right.size() && std::equal(left.begin(), left.end(), right.begin()));
}

PlistDictionary::const_iterator::const_iterator(const Entry* settled, const Entry* settledEnd,
                                                const Entry* recent, const Entry* recentEnd)
    : _settled(settled), _settledEnd(settledEnd), _recent(recent), _recentEnd(recentEnd) {
    choose();
}

PlistDictionary::const_iterator& PlistDictionary::const_iterator::operator++() {
    if (_takeSettled)
        ++_settled;
    else
        ++_recent;
    choose();
    return *this;
}

void PlistDictionary::const_iterator::choose() {
    _takeSettled = _recent == _recentEnd ||
                   (_settled != _settledEnd && _settled->first < _recent->first);
}

}  // namespace core
