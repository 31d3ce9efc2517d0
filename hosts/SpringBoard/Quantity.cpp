#include "Quantity.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "MenuCommands.h"
#include "ScenarioError.h"
#include "ValuesFile.h"
#include "core/dispatch/Clock.h"
#include "core/preferences/HBPreferences.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "springboard/HomeScreen.h"

namespace {

constexpr const char* kSettingsDomain = "com.kelvrin.morvane";

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

device::Switch switchCalled(const std::string& name) {
    const auto which = device::switchNamed(name);
    if (!which) throw ScenarioError("no switch is called '" + name + "'");
    return *which;
}

template <class R>
bool hasGetter(const rt::Method& method) {
    return method.signature().matches(typeid(R(*)(rt::Object*, rt::Selector)));
}

QuantityValue readStored(const std::string& rest) {
    // rest: "<bundleId>.volume", "<bundleId>.brightness" or "<bundleId>.toggle.<name>"
    const auto toggle = rest.rfind(".toggle.");
    if (toggle != std::string::npos) {
        return static_cast<double>(
            ValuesFile::storedToggle(rest.substr(0, toggle), rest.substr(toggle + 8)));
    }
    const auto dot = rest.rfind('.');
    const std::string kind = dot == std::string::npos ? "" : rest.substr(dot + 1);
    if (kind != "volume" && kind != "brightness")
        throw ScenarioError("unknown quantity 'stored." + rest + "'");
    return ValuesFile::storedLevel(rest.substr(0, dot), kind);
}

QuantityValue readSetting(const std::string& key) {
    for (const auto& [boundKey, on] : core::HBPreferences::boundFlags(kSettingsDomain)) {
        if (boundKey == key) return std::string(on ? "on" : "off");
    }
    throw ScenarioError("the library holds no setting '" + key + "'");
}

QuantityValue readRecord(const std::string& rest) {
    const auto dot = rest.rfind('.');
    if (dot == std::string::npos) throw ScenarioError("unknown quantity 'record." + rest + "'");
    const std::string app = rest.substr(0, dot);
    const auto value = Quantity::recordProperty(app, rest.substr(dot + 1));
    if (!value)
        throw ScenarioError("the application record of " + app + " has no property '" +
                            rest.substr(dot + 1) + "'");
    return *value;
}

}  // namespace

std::optional<double> Quantity::recordProperty(const std::string& bundleIdentifier,
                                               const std::string& property) {
    const auto application = springboard::HomeScreen::application(bundleIdentifier);
    if (!application) throw ScenarioError("no app " + bundleIdentifier + " is installed");
    const rt::Selector getter = rt::sel(property);
    const rt::Method& method = application->getClass()->methodFor(getter);
    if (method.isNone()) return std::nullopt;
    if (hasGetter<double>(method)) return rt::send<double>(application, getter);
    if (hasGetter<long long>(method))
        return static_cast<double>(rt::send<long long>(application, getter));
    if (hasGetter<bool>(method)) return rt::send<bool>(application, getter) ? 1.0 : 0.0;
    return std::nullopt;
}

QuantityValue Quantity::read(const std::string& name) {
    if (auto menuValue = MenuCommands::read(name)) return *menuValue;
    const auto& phone = device::Phone::shared();
    if (name == "volume") return static_cast<double>(phone.volume());
    if (name == "brightness") return phone.brightness();
    if (name == "time") return core::Clock::now();
    if (name == "hud.volume") return static_cast<double>(phone.overlays().volume);
    if (name == "hud.brightness") return static_cast<double>(phone.overlays().brightness);
    if (startsWith(name, "switch.")) {
        return std::string(
            device::switchStateName(phone.switchState(switchCalled(name.substr(7)))));
    }
    if (startsWith(name, "sets.")) {
        if (const auto count = phone.sets().named(name.substr(5)))
            return static_cast<double>(*count);
        throw ScenarioError("unknown quantity '" + name + "'");
    }
    if (startsWith(name, "record.")) return readRecord(name.substr(7));
    if (startsWith(name, "stored.")) return readStored(name.substr(7));
    if (startsWith(name, "setting.")) return readSetting(name.substr(8));
    throw ScenarioError("unknown quantity '" + name + "'");
}

bool Quantity::matches(const QuantityValue& value, const std::string& expected, double tolerance) {
    if (const auto* word = std::get_if<std::string>(&value)) return *word == expected;
    char* end = nullptr;
    const double number = std::strtod(expected.c_str(), &end);
    if (end == expected.c_str() || *end != '\0') {
        throw ScenarioError("'" + expected + "' is not a number");
    }
    return std::fabs(std::get<double>(value) - number) <= tolerance;
}

std::string Quantity::describe(const QuantityValue& value) {
    if (const auto* word = std::get_if<std::string>(&value)) return *word;
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", std::get<double>(value));
    return text;
}
