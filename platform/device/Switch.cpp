#include "device/Switch.h"

#include <algorithm>

namespace device {

namespace {

struct SwitchRow {
    Switch which;
    std::string_view name;
};

// The one table of switches and their names.
constexpr std::array<SwitchRow, kSwitchCount> kSwitchTable{{
    {Switch::OrientationLock, "orientationLock"},
    {Switch::Cellular, "cellular"},
    {Switch::Wifi, "wifi"},
    {Switch::Bluetooth, "bluetooth"},
    {Switch::Airplane, "airplane"},
    {Switch::Dnd, "dnd"},
    {Switch::Location, "location"},
    {Switch::AutoBrightness, "autoBrightness"},
    {Switch::AutoLock, "autoLock"},
    {Switch::LowPower, "lowPower"},
    {Switch::NightShift, "nightShift"},
    {Switch::Vpn, "vpn"},
}};

constexpr std::array<Switch, kSwitchCount> makeAllSwitches() {
    std::array<Switch, kSwitchCount> switches{};
    for (std::size_t i = 0; i < kSwitchCount; ++i) switches[i] = kSwitchTable[i].which;
    return switches;
}

}  // namespace

const std::array<Switch, kSwitchCount>& allSwitches() {
    static constexpr std::array<Switch, kSwitchCount> kAll = makeAllSwitches();
    return kAll;
}

std::string_view switchName(Switch which) {
    return kSwitchTable.at(static_cast<std::size_t>(which)).name;
}

std::optional<Switch> switchNamed(std::string_view name) {
    const auto row =
        std::find_if(kSwitchTable.begin(), kSwitchTable.end(),
                     [name](const SwitchRow& candidate) { return candidate.name == name; });
    if (row == kSwitchTable.end()) return std::nullopt;
    return row->which;
}

}  // namespace device
