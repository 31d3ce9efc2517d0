#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/plist/PlistValue.h"

// How an app's values in the values file are read, in one place for the home screen, the
// settings pane and the tools, so that none of them shows or writes what the home screen
// would not act on. Header-only: each deliverable keeps its own copy.
namespace morvane::app_values {

// The twelve toggle names as the file spells them, in the order the device is changed, with
// the label a person reads.
struct ToggleName {
    const char* name;
    const char* label;
};
inline constexpr std::array<ToggleName, 12> kToggleNames{{
    {"orientationLock", "Orientation lock"},
    {"cellular", "Cellular data"},
    {"wifi", "Wi-Fi"},
    {"bluetooth", "Bluetooth"},
    {"airplane", "Airplane mode"},
    {"dnd", "Do Not Disturb"},
    {"location", "Location services"},
    {"autoBrightness", "Auto-brightness"},
    {"autoLock", "Auto-lock"},
    {"lowPower", "Low power mode"},
    {"nightShift", "Night Shift"},
    {"vpn", "VPN"},
}};

inline bool isToggleName(std::string_view name) {
    return std::any_of(kToggleNames.begin(), kToggleNames.end(),
                       [&](const ToggleName& toggle) { return name == toggle.name; });
}

// The "no value" sentinel of a level.
inline constexpr double kNoLevel = -1.0;

// A stored level as the home screen reads it: a number (a boolean counts as 1 or 0), finite
// and not the sentinel -1.0, held to 0...1 and rounded to single precision; none otherwise.
inline std::optional<double> levelOf(const core::PlistValue& entry) {
    std::optional<double> number = entry.asNumber();
    if (std::optional<bool> flag = entry.asBool()) number = *flag ? 1.0 : 0.0;
    if (!number || !std::isfinite(*number) || *number == kNoLevel) return std::nullopt;
    return static_cast<double>(static_cast<float>(std::clamp(*number, 0.0, 1.0)));
}

// A toggle's entry read as a 32-bit signed integer the way the phone reads it: an integer
// keeps its low 32 bits, a real loses its fraction and is held to the 32-bit range, a boolean
// is 1 or 0. None for an entry that is no number. Any value but 0 means on.
inline std::optional<std::int32_t> toggleStateOf(const core::PlistValue& entry) {
    std::optional<std::uint64_t> bits;
    if (std::optional<std::int64_t> integer = entry.asInteger())
        bits = static_cast<std::uint64_t>(*integer);
    else if (std::optional<std::uint64_t> large = entry.asUnsignedInteger())
        bits = *large;
    else if (std::optional<bool> flag = entry.asBool())
        bits = *flag ? 1 : 0;
    else if (std::optional<double> real = entry.asReal(); real && std::isfinite(*real)) {
        constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
        constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
        return static_cast<std::int32_t>(std::clamp(std::trunc(*real), kLowest, kHighest));
    }
    if (!bits) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*bits));
}

// The three per-app keys: "<bundleId>-volume", "<bundleId>-brightness", "<bundleId>-toggles".
enum class ValueKind { Volume, Brightness, Toggles };
inline constexpr std::array<std::pair<ValueKind, std::string_view>, 3> kKeySuffixes{{
    {ValueKind::Volume, "-volume"},
    {ValueKind::Brightness, "-brightness"},
    {ValueKind::Toggles, "-toggles"},
}};

inline std::string keyFor(const std::string& bundleId, ValueKind kind) {
    for (const auto& [suffixKind, suffix] : kKeySuffixes)
        if (suffixKind == kind) return bundleId + std::string(suffix);
    return bundleId;
}

// A bundle identifier a file may name: 1 to 255 characters of letters, digits, '-', '_' and
// '.', not starting or ending with a dot and without two dots in a row.
inline bool isBundleIdentifier(std::string_view text) {
    if (text.empty() || text.size() > 255 || text.front() == '.' || text.back() == '.')
        return false;
    if (text.find("..") != std::string_view::npos) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_' || c == '.';
    });
}

// The app and kind a key of the file names, when it is a per-app key of a well-formed bundle
// identifier; none for the settings and anything else.
struct PerAppKey {
    std::string bundleId;
    ValueKind kind;
};
inline std::optional<PerAppKey> perAppKeyOf(std::string_view key) {
    for (const auto& [kind, suffix] : kKeySuffixes) {
        if (key.size() <= suffix.size() || !key.ends_with(suffix)) continue;
        const std::string_view bundleId = key.substr(0, key.size() - suffix.size());
        if (!isBundleIdentifier(bundleId)) return std::nullopt;
        return PerAppKey{std::string(bundleId), kind};
    }
    return std::nullopt;
}

// A level as a person reads it: "%.0f%%" of the level × 100 taken in single precision.
inline std::string percentText(double level) {
    const double hundredths = static_cast<double>(static_cast<float>(level) * 100.0f);
    return std::to_string(static_cast<long>(std::nearbyint(hundredths))) + "%";
}

}  // namespace morvane::app_values
