#include "springboard/DeclaredShortcuts.h"

#include "rt/NoDestroy.h"

namespace springboard {

std::map<std::string, std::vector<DeclaredShortcuts::Item>>& DeclaredShortcuts::table() {
    static rt::NoDestroy<std::map<std::string, std::vector<Item>>> items;
    return *items;
}

void DeclaredShortcuts::declare(const std::string& bundleIdentifier, Item item) {
    table()[bundleIdentifier].push_back(std::move(item));
}

std::vector<DeclaredShortcuts::Item> DeclaredShortcuts::of(const std::string& bundleIdentifier) {
    const auto found = table().find(bundleIdentifier);
    return found == table().end() ? std::vector<Item>{} : found->second;
}

void DeclaredShortcuts::clear() {
    table().clear();
}

}  // namespace springboard
