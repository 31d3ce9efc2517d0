#include "tweak/startup/HookTable.h"

#include <array>

#include "rt/Runtime.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/lifecycle/ApplicationRecord.h"
#include "tweak/lifecycle/ApplicationStateTracking.h"

namespace morvane {

namespace {

// The icon-menu rows (data provider, shortcut view controller, force-touch controller,
// action view and action) go before these when the menu arrives.
constexpr std::array<HookRow, 6> kHookTable = {{
    {"SBApplication", "initWithApplicationInfo:", HookKind::Replaced, 1,
     &ApplicationStateTracking::hookInitWithApplicationInfo},
    {"SBApplication", "_noteProcess:didChangeToState:", HookKind::Replaced, 1,
     &ApplicationStateTracking::hookNoteProcessDidChangeToState},
    {"SBApplication", "volumeBeforeOpening, setVolumeBeforeOpening:", HookKind::AddedProperties, 2,
     &ApplicationRecord::addVolumeBeforeOpening},
    {"SBApplication", "brightnessBeforeOpening, setBrightnessBeforeOpening:",
     HookKind::AddedProperties, 2, &ApplicationRecord::addBrightnessBeforeOpening},
    {"SBApplication", "the twelve toggle records <toggle>BeforeOpening, set<Toggle>BeforeOpening:",
     HookKind::AddedProperties, 2 * static_cast<int>(kToggleCount),
     &ApplicationRecord::addToggleRecords},
    {"SBApplication", "previousStateWasForegroundObscured, setPreviousStateWasForegroundObscured:",
     HookKind::AddedProperties, 2, &ApplicationRecord::addPreviousStateWasForegroundObscured},
}};

}  // namespace

std::span<const HookRow> HookTable::rows() {
    return kHookTable;
}

int HookTable::installAll() {
    int installed = 0;
    for (const HookRow& row : kHookTable) {
        rt::Class* hostClass = rt::lookUpClass(row.className);
        if (!hostClass) continue;  // a host without that class runs without this row
        if (row.install(hostClass)) ++installed;
    }
    return installed;
}

}  // namespace morvane
