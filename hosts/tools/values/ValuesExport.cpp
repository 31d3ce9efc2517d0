#include "ValuesExport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/plist/PlistWriter.h"

namespace values = morvane::app_values;

namespace {

// Bundle identifiers and toggle names hold no character JSON must escape; quoted as they are.
std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string togglesJson(const std::map<std::string, bool>& toggles) {
    std::string text = "{";
    for (const auto& toggle : values::kToggleNames) {
        const auto found = toggles.find(toggle.name);
        if (found == toggles.end()) continue;
        if (text.size() > 1) text += ", ";
        text += quoted(toggle.name) + ": " + (found->second ? "true" : "false");
    }
    return text + "}";
}

std::string appJson(const values::AppValueSet& app) {
    std::string text;
    const auto add = [&](const char* name, const std::string& value) {
        text += (text.empty() ? "" : ", ") + quoted(name) + ": " + value;
    };
    if (app.volume) add("volume", ValuesExport::levelText(*app.volume));
    if (app.brightness) add("brightness", ValuesExport::levelText(*app.brightness));
    if (app.toggles) add("toggles", togglesJson(*app.toggles));
    return "{" + text + "}";
}

core::PlistValue fileForm(const values::AppValuesTable& apps) {
    std::vector<core::PlistDictionary::Entry> entries;
    for (const auto& [bundleId, app] : apps) values::appendEntries(entries, bundleId, app);
    return core::PlistValue(core::PlistDictionary(std::move(entries)));
}

std::string togglesText(const std::map<std::string, bool>& toggles) {
    std::string text;
    for (const auto& toggle : values::kToggleNames) {
        const auto found = toggles.find(toggle.name);
        if (found == toggles.end()) continue;
        text +=
            (text.empty() ? "" : " ") + std::string(toggle.name) + (found->second ? " on" : " off");
    }
    return text.empty() ? "-" : text;
}

}  // namespace

std::string ValuesExport::levelText(double level) {
    const float single = static_cast<float>(level);
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(single));
        if (static_cast<float>(std::strtod(text, nullptr)) == single) break;
    }
    return text;
}

std::string ValuesExport::json(const values::AppValuesTable& apps) {
    if (apps.empty()) return "{\"apps\": {}}\n";
    std::string text = "{\"apps\": {\n";
    bool first = true;
    for (const auto& [bundleId, app] : apps) {
        text += (first ? "  " : ",\n  ") + quoted(bundleId) + ": " + appJson(app);
        first = false;
    }
    return text + "\n}}\n";
}

std::string ValuesExport::xml(const values::AppValuesTable& apps) {
    return core::toXmlPropertyList(fileForm(apps));
}

std::string ValuesExport::binary(const values::AppValuesTable& apps) {
    return core::toBinaryPropertyList(fileForm(apps));
}

std::string ValuesExport::table(const values::AppValuesTable& apps) {
    if (apps.empty()) return "No app has values.\n";
    std::size_t width = 6;
    for (const auto& entry : apps) width = std::max(width, entry.first.size());
    const auto row = [&](const std::string& app, const std::string& volume,
                         const std::string& brightness, const std::string& toggles) {
        std::string line = app + std::string(width + 2 - app.size(), ' ');
        line += volume + std::string(volume.size() < 8 ? 8 - volume.size() : 1, ' ');
        line += brightness + std::string(brightness.size() < 12 ? 12 - brightness.size() : 1, ' ');
        return line + toggles + "\n";
    };
    std::string text = row("APP", "VOLUME", "BRIGHTNESS", "TOGGLES");
    for (const auto& [bundleId, app] : apps) {
        text += row(bundleId, app.volume ? values::percentText(*app.volume) : "-",
                    app.brightness ? values::percentText(*app.brightness) : "-",
                    app.toggles ? togglesText(*app.toggles) : "-");
    }
    return text;
}
