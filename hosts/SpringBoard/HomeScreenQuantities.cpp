#include "HomeScreenQuantities.h"

#include <cstdio>

#include "ScriptError.h"
#include "StoredValues.h"
#include "core/dispatch/Clock.h"
#include "core/preferences/HBPreferences.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "shared/MorvaneIdentifiers.h"
#include "springboard/HomeScreen.h"

namespace {

template <class R>
bool hasGetter(const rt::Method& method) {
    return method.signature().matches(typeid(R(*)(rt::Object*, rt::Selector)));
}

QuantityValue switchState(const std::string& name) {
    const auto which = device::switchNamed(name);
    if (!which) throw ScriptError("no switch is called '" + name + "'");
    return std::string(device::switchStateName(device::Phone::shared().switchState(*which)));
}

QuantityValue sets(const std::string& name) {
    if (const auto count = device::Phone::shared().sets().named(name))
        return static_cast<double>(*count);
    throw ScriptError("unknown quantity 'sets." + name + "'");
}

// rest: "<bundleId>.volume", "<bundleId>.brightness" or "<bundleId>.toggle.<name>"
QuantityValue stored(const std::string& rest) {
    const auto toggle = rest.rfind(".toggle.");
    if (toggle != std::string::npos) {
        return static_cast<double>(
            StoredValues::storedToggle(rest.substr(0, toggle), rest.substr(toggle + 8)));
    }
    const auto dot = rest.rfind('.');
    const std::string kind = dot == std::string::npos ? "" : rest.substr(dot + 1);
    if (kind != "volume" && kind != "brightness")
        throw ScriptError("unknown quantity 'stored." + rest + "'");
    return StoredValues::storedLevel(rest.substr(0, dot), kind);
}

QuantityValue setting(const std::string& key) {
    for (const auto& [boundKey, on] :
         core::HBPreferences::boundFlags(morvane::identifiers::kSettingsDomain)) {
        if (boundKey == key) return std::string(on ? "on" : "off");
    }
    throw ScriptError("the library holds no setting '" + key + "'");
}

// "frame.icon.<bundleId>": the app's icon on the home screen, in points, or none when it is
// not on the first page.
QuantityValue iconFrame(const std::string& bundleIdentifier) {
    if (!springboard::HomeScreen::application(bundleIdentifier))
        throw ScriptError("no app " + bundleIdentifier + " is installed");
    const auto frame = springboard::HomeScreen::iconFrame(bundleIdentifier);
    if (!frame) return std::string("none");
    char text[128];
    std::snprintf(text, sizeof text, "%g %g %g %g", frame->x(), frame->y(), frame->width(),
                  frame->height());
    return std::string(text);
}

QuantityValue record(const std::string& rest) {
    const auto dot = rest.rfind('.');
    if (dot == std::string::npos) throw ScriptError("unknown quantity 'record." + rest + "'");
    const std::string app = rest.substr(0, dot);
    const auto value = HomeScreenQuantities::recordProperty(app, rest.substr(dot + 1));
    if (!value)
        throw ScriptError("the application record of " + app + " has no property '" +
                          rest.substr(dot + 1) + "'");
    return *value;
}

}  // namespace

std::optional<double> HomeScreenQuantities::recordProperty(const std::string& bundleIdentifier,
                                                           const std::string& property) {
    const auto application = springboard::HomeScreen::application(bundleIdentifier);
    if (!application) throw ScriptError("no app " + bundleIdentifier + " is installed");
    const rt::Selector getter = rt::sel(property);
    const rt::Method& method = application->getClass()->methodFor(getter);
    if (method.isNone()) return std::nullopt;
    if (hasGetter<double>(method)) return rt::send<double>(application, getter);
    if (hasGetter<long long>(method))
        return static_cast<double>(rt::send<long long>(application, getter));
    if (hasGetter<bool>(method)) return rt::send<bool>(application, getter) ? 1.0 : 0.0;
    return std::nullopt;
}

std::vector<ScriptQuantity> HomeScreenQuantities::quantities() {
    using S = const std::string&;
    return {
        {"volume", false, [](S) { return QuantityValue(double{device::Phone::shared().volume()}); },
         "the phone's media volume"},
        {"brightness", false, [](S) { return QuantityValue(device::Phone::shared().brightness()); },
         "the phone's screen brightness"},
        {"switch.<toggleName>", false, switchState, "on, off or indeterminate"},
        {"hud.volume", false,
         [](S) {
             return QuantityValue(static_cast<double>(device::Phone::shared().overlays().volume));
         },
         "volume overlays shown since the start"},
        {"hud.brightness", false,
         [](S) {
             return QuantityValue(
                 static_cast<double>(device::Phone::shared().overlays().brightness));
         },
         "brightness overlays shown since the start"},
        {"sets.<what>", false, sets, "sets of volume, brightness or a switch since the start"},
        {"record.<bundleId>.<property>", false, record,
         "a property of the app's record (booleans as 0/1)"},
        {"stored.<bundleId>.<what>", false, stored,
         "volume, brightness or toggle.<toggleName> as the file holds it, -1 when absent"},
        {"setting.<key>", false, setting, "on or off: the flag as the library holds it"},
        {"frame.icon.<bundleId>", true, iconFrame,
         "the app's icon on the home screen, x y width height in points, or none"},
        {"time", false, [](S) { return QuantityValue(core::Clock::now()); },
         "seconds since the start"},
    };
}
