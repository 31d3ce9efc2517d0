#include "services/SwitchIdentifiers.h"

#include <algorithm>
#include <array>

namespace services {

namespace {

struct IdentifierRow {
    device::Switch which;
    std::string_view identifier;
};

constexpr std::array<IdentifierRow, device::kSwitchCount> kIdentifierTable{{
    {device::Switch::OrientationLock, "rotation-lock"},
    {device::Switch::Cellular, "cellular-data"},
    {device::Switch::Wifi, "wifi"},
    {device::Switch::Bluetooth, "bluetooth"},
    {device::Switch::Airplane, "airplane-mode"},
    {device::Switch::Dnd, "do-not-disturb"},
    {device::Switch::Location, "location"},
    {device::Switch::AutoBrightness, "auto-brightness"},
    {device::Switch::AutoLock, "autolock"},
    {device::Switch::LowPower, "low-power"},
    {device::Switch::NightShift, "night-shift"},
    {device::Switch::Vpn, "vpn"},
}};

}  // namespace

std::string SwitchIdentifiers::fullIdentifierFor(device::Switch which) {
    const auto row =
        std::find_if(kIdentifierTable.begin(), kIdentifierTable.end(),
                     [which](const IdentifierRow& candidate) { return candidate.which == which; });
    return std::string(kPrefix) + std::string(row->identifier);
}

std::optional<device::Switch> SwitchIdentifiers::switchFor(std::string_view fullIdentifier) {
    if (!fullIdentifier.starts_with(kPrefix)) return std::nullopt;
    const std::string_view identifier = fullIdentifier.substr(kPrefix.size());
    const auto row = std::find_if(kIdentifierTable.begin(), kIdentifierTable.end(),
                                  [identifier](const IdentifierRow& candidate) {
                                      return candidate.identifier == identifier;
                                  });
    if (row == kIdentifierTable.end()) return std::nullopt;
    return row->which;
}

}  // namespace services
