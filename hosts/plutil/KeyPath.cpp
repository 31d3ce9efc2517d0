#include "KeyPath.h"

#include <charconv>
#include <optional>
#include <utility>

namespace {

using core::PlistArray;
using core::PlistValue;

// The index an array component names: decimal digits only.
std::optional<std::size_t> indexIn(std::string_view component) {
    std::size_t index = 0;
    const auto [end, error] =
        std::from_chars(component.data(), component.data() + component.size(), index);
    if (component.empty() || error != std::errc() || end != component.data() + component.size())
        return std::nullopt;
    return index;
}

// The array with value put before the item at index (index == size appends).
PlistArray insertedInto(const PlistArray& array, std::size_t index, PlistValue value) {
    PlistArray result;
    result.reserve(array.size() + 1);
    for (std::size_t position = 0; position < array.size(); ++position) {
        if (position == index) result.append(std::move(value));
        result.append(*array.at(position));
    }
    if (index == array.size()) result.append(std::move(value));
    return result;
}

}  // namespace

KeyPath::KeyPath(std::string_view text) : _text(text) {
    std::string component;
    for (std::size_t position = 0; position < text.size(); ++position) {
        const char character = text[position];
        if (character == '\\' && position + 1 < text.size()) {
            component += text[++position];
        } else if (character == '.') {
            _components.push_back(std::exchange(component, {}));
        } else {
            component += character;
        }
    }
    _components.push_back(std::move(component));
}

const PlistValue* KeyPath::find(const PlistValue& root) const {
    const PlistValue* current = &root;
    for (const std::string& component : _components) {
        if (const auto* dictionary = current->asDictionary()) {
            current = dictionary->find(component);
        } else if (const auto* array = current->asArray()) {
            const auto index = indexIn(component);
            current = index ? array->at(*index) : nullptr;
        } else {
            current = nullptr;
        }
        if (!current) return nullptr;
    }
    return current;
}

// The container that holds (or is to hold) the path's last component.
PlistValue& KeyPath::container(PlistValue& root) const {
    PlistValue* current = &root;
    for (std::size_t level = 0; level + 1 < _components.size(); ++level) {
        const std::string& component = _components[level];
        PlistValue* next = nullptr;
        if (auto* dictionary = current->mutableDictionary()) {
            next = dictionary->findMutable(component);
        } else if (auto* array = current->mutableArray()) {
            const auto index = indexIn(component);
            next = index ? array->atMutable(*index) : nullptr;
        }
        if (!next) throw KeyPathError("no value at key path '" + _text + "'");
        current = next;
    }
    if (!current->asDictionary() && !current->asArray())
        throw KeyPathError("key path '" + _text + "' does not lead into a dictionary or array");
    return *current;
}

void KeyPath::insert(PlistValue& root, PlistValue value) const {
    PlistValue& parent = container(root);
    const std::string& last = _components.back();
    if (auto* dictionary = parent.mutableDictionary()) {
        if (dictionary->contains(last))
            throw KeyPathError("a value already exists at key path '" + _text + "'");
        dictionary->set(last, std::move(value));
        return;
    }
    const PlistArray& array = *parent.asArray();
    const auto index = indexIn(last);
    if (!index || *index > array.size())
        throw KeyPathError("key path '" + _text + "' names no place in the array");
    parent = PlistValue(insertedInto(array, *index, std::move(value)));
}

void KeyPath::replace(PlistValue& root, PlistValue value) const {
    PlistValue& parent = container(root);
    const std::string& last = _components.back();
    if (auto* dictionary = parent.mutableDictionary()) {
        dictionary->set(last, std::move(value));
        return;
    }
    PlistArray& array = *parent.mutableArray();
    const auto index = indexIn(last);
    if (index && *index == array.size()) {
        array.append(std::move(value));
    } else if (PlistValue* item = index ? array.atMutable(*index) : nullptr) {
        *item = std::move(value);
    } else {
        throw KeyPathError("key path '" + _text + "' names no place in the array");
    }
}

void KeyPath::remove(PlistValue& root) const {
    PlistValue& parent = container(root);
    const std::string& last = _components.back();
    bool removed = false;
    if (auto* dictionary = parent.mutableDictionary()) {
        removed = dictionary->remove(last);
    } else {
        const auto index = indexIn(last);
        removed = index && parent.mutableArray()->remove(*index);
    }
    if (!removed) throw KeyPathError("no value at key path '" + _text + "'");
}
