#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/plist/PlistValue.h"

// A path to a value inside a property list: keys separated by ".", array items named by
// their index ("apps.3.name"); "\." is a dot inside a key, "\\" a backslash.
class KeyPath {
  public:
    explicit KeyPath(std::string_view text);

    const std::vector<std::string>& components() const { return _components; }

    // The value at the path; null when there is none.
    const core::PlistValue* find(const core::PlistValue& root) const;

    // Adds value at the path; fails when something is there already. In an array the value
    // is inserted before the item of that index, or appended for the index of the end.
    void insert(core::PlistValue& root, core::PlistValue value) const;
    // Sets value at the path, whether or not something was there.
    void replace(core::PlistValue& root, core::PlistValue value) const;
    // Removes the value at the path; fails when there is none.
    void remove(core::PlistValue& root) const;

  private:
    core::PlistValue& container(core::PlistValue& root) const;

    std::string _text;
    std::vector<std::string> _components;
};

// An edit or a look-up whose key path does not fit the property list (exit status 1).
class KeyPathError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
