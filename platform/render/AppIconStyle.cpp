#include "render/AppIconStyle.h"

#include <cctype>
#include <cmath>
#include <algorithm>
#include <cstdint>

namespace render {

namespace {

std::uint32_t fnv1a(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

// HSV (hue in degrees) to RGB.
ui::ColorComponents fromHsv(double hue, double saturation, double value) {
    const double c = value * saturation;
    const double h = std::fmod(hue, 360.0) / 60.0;
    const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1) {
        r = c;
        g = x;
    } else if (h < 2) {
        r = x;
        g = c;
    } else if (h < 3) {
        g = c;
        b = x;
    } else if (h < 4) {
        g = x;
        b = c;
    } else if (h < 5) {
        r = x;
        b = c;
    } else {
        r = c;
        b = x;
    }
    const double m = value - c;
    return {r + m, g + m, b + m, 1};
}

}  // namespace

std::string AppIconStyle::displayName(const std::string& bundleIdentifier) {
    const auto dot = bundleIdentifier.rfind('.');
    std::string name =
        dot == std::string::npos ? bundleIdentifier : bundleIdentifier.substr(dot + 1);
    if (name.empty()) name = bundleIdentifier;
    if (!name.empty())
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

ui::ColorComponents AppIconStyle::color(const std::string& bundleIdentifier,
                                        const std::vector<std::string>& installedApps) {
    constexpr double kGoldenAngle = 137.508;
    const auto found = std::find(installedApps.begin(), installedApps.end(), bundleIdentifier);
    if (found != installedApps.end()) {
        const double place = static_cast<double>(found - installedApps.begin());
        return fromHsv(std::fmod(210 + place * kGoldenAngle, 360.0), 0.62, 0.82);
    }
    const std::uint32_t hash = fnv1a(bundleIdentifier);
    const double hue = hash % 360;
    const double value = 0.72 + ((hash >> 9) % 16) / 100.0;  // 0.72 … 0.87
    return fromHsv(hue, 0.62, value);
}

std::string AppIconStyle::initials(const std::string& bundleIdentifier) {
    const std::string name = displayName(bundleIdentifier);
    if (name.empty()) return "?";
    std::size_t length = 0;
    for (int characters = 0; characters < 2 && length < name.size(); ++characters) {
        ++length;
        while (length < name.size() && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
            ++length;
    }
    return name.substr(0, length);
}

}  // namespace render
