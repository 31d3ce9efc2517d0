#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "core/plist/CopyOnWrite.h"

namespace core {

class PlistValue;

// A property-list array. Copies share their storage and copy it on the first mutation
// (copy-on-write), so copying is O(1) and mutating a copy never affects the original.
class PlistArray {
  public:
    using Storage = std::vector<PlistValue>;
    using const_iterator = Storage::const_iterator;

    PlistArray();
    PlistArray(std::initializer_list<PlistValue> items);
    explicit PlistArray(Storage items);

    std::size_t size() const;
    bool empty() const;
    // The item at index, or null when index is out of range.
    const PlistValue* at(std::size_t index) const;
    const_iterator begin() const;
    const_iterator end() const;

    // Mutable access to an item (detaches shared storage); null when out of range.
    PlistValue* atMutable(std::size_t index);
    void append(PlistValue item);
    bool remove(std::size_t index);
    void reserve(std::size_t count);
    void clear();

    bool sharesStorageWith(const PlistArray& other) const;
    friend bool operator==(const PlistArray& left, const PlistArray& right);

  private:
    CopyOnWrite<Storage> _storage;
};

}  // namespace core

// Values are complete wherever a container is: include order does not matter.
#include "core/plist/PlistValue.h"
