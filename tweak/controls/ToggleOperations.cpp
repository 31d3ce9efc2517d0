#include "tweak/controls/ToggleOperations.h"

#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/store/CustomValuesStore.h"

namespace morvane {

void ToggleOperations::applyToggles(const core::PlistDictionary& toggles) {
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles()) {
        const std::optional<std::int32_t> entry =
            CustomValuesStore::toggleEntryIn(toggles, toggle.name);
        if (!entry) continue;
        toggle.setEnabled(*entry != 0);
    }
}

bool ToggleOperations::shouldRestoreToggle(std::string_view toggleName, long long previousState,
                                           const core::PlistDictionary& toggles) {
    return previousState != CustomValuesStore::kNoToggleState &&
           CustomValuesStore::toggleEntryIn(toggles, toggleName).has_value();
}

}  // namespace morvane
