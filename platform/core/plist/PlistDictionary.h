#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/plist/CopyOnWrite.h"

namespace core {

class PlistValue;

// A property-list dictionary: string keys in byte order, values of any kind. Copies share
// their storage and copy it on the first mutation (copy-on-write), so copying a large
// dictionary is O(1) and mutating a copy never affects the original.
//
// Entries live in one sorted array (compact, no allocation per entry), beside a small sorted
// array of keys added out of order since; the small one is merged in when it grows past about
// the square root of the large one, so adding n keys in any order costs O(n·√n) moves at worst
// and a key added to a large dictionary read from a file costs no copy of its entries.
class PlistDictionary {
  public:
    using Entry = std::pair<std::string, PlistValue>;
    class const_iterator;

    PlistDictionary();
    PlistDictionary(std::initializer_list<std::pair<const std::string, PlistValue>> entries);
    // Takes entries in any order; of equal keys the last one stays (as in a file read).
    explicit PlistDictionary(std::vector<Entry> entries);

    std::size_t size() const;
    bool empty() const;
    bool contains(std::string_view key) const;
    const PlistValue* find(std::string_view key) const;
    const_iterator begin() const;
    const_iterator end() const;

    // Mutable access to a stored value (detaches shared storage); null when absent.
    PlistValue* findMutable(std::string_view key);
    void set(std::string key, PlistValue value);
    bool remove(std::string_view key);
    void clear();

    bool sharesStorageWith(const PlistDictionary& other) const;
    friend bool operator==(const PlistDictionary& left, const PlistDictionary& right);

  private:
    struct Storage {
        std::vector<Entry> settled;  // sorted by key
        std::vector<Entry> recent;   // sorted by key, none of them in `settled`
    };

    void settle(Storage& storage);

    CopyOnWrite<Storage> _storage;
};

// Walks both sorted arrays in one byte order of keys.
class PlistDictionary::const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Entry;
    using difference_type = std::ptrdiff_t;
    using pointer = const Entry*;
    using reference = const Entry&;

    const_iterator() = default;
    const_iterator(const Entry* settled, const Entry* settledEnd, const Entry* recent,
                   const Entry* recentEnd);

    reference operator*() const { return *current(); }
    pointer operator->() const { return current(); }
    const_iterator& operator++();
    const_iterator operator++(int) {
        const_iterator before = *this;
        ++*this;
        return before;
    }
    friend bool operator==(const const_iterator& left, const const_iterator& right) {
        return left._settled == right._settled && left._recent == right._recent;
    }

  private:
    const Entry* current() const { return _takeSettled ? _settled : _recent; }
    void choose();

    const Entry* _settled = nullptr;
    const Entry* _settledEnd = nullptr;
    const Entry* _recent = nullptr;
    const Entry* _recentEnd = nullptr;
    bool _takeSettled = true;
};

}  // namespace core

// Values are complete wherever a container is: include order does not matter.
#include "core/plist/PlistValue.h"
