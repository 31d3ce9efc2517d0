#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace core {

class PlistValue;

// A property-list dictionary: string keys in byte order, values of any kind. Copies share
// their storage and copy it on the first mutation (copy-on-write), so copying a large
// dictionary is O(1) and mutating a copy never affects the original.
class PlistDictionary {
  public:
    using Storage = std::map<std::string, PlistValue, std::less<>>;
    using const_iterator = Storage::const_iterator;

    PlistDictionary();
    PlistDictionary(std::initializer_list<std::pair<const std::string, PlistValue>> entries);

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
    const Storage& storage() const;
    Storage& mutableStorage();

    std::shared_ptr<Storage> _storage;
};

}  // namespace core

// Values are complete wherever a container is: include order does not matter.
#include "core/plist/PlistValue.h"
