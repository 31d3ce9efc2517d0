#include "tweak/menu/StoredEntrySnapshot.h"

#include "tweak/store/CustomValuesStore.h"

namespace morvane {

StoredEntrySnapshot::StoredEntrySnapshot(std::string key) : _key(std::move(key)) {
    if (const core::PlistValue* stored =
            CustomValuesStore::getCustomValuesPerAppDictionary().find(_key))
        _value = *stored;
}

void StoredEntrySnapshot::restore() const {
    core::PlistDictionary& values = CustomValuesStore::getCustomValuesPerAppDictionary();
    if (_value)
        values.set(_key, *_value);
    else
        values.remove(_key);
}

}  // namespace morvane
