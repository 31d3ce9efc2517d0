#include "rt/Selector.h"

#include "rt/SelectorTable.h"

namespace rt {

namespace {
const std::string& emptyName() {
    static const std::string empty;
    return empty;
}
}  // namespace

const std::string& Selector::name() const {
    return _entry ? _entry->name : emptyName();
}

Selector sel(std::string_view name) {
    return SelectorTable::shared().intern(name);
}

}  // namespace rt
