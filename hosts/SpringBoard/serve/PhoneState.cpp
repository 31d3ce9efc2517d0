#include "PhoneState.h"

#include <string_view>

#include "OpenMenu.h"
#include "StoredValues.h"
#include "core/preferences/HBPreferences.h"
#include "core/preferences/PreferenceFileCache.h"
#include "device/Phone.h"
#include "render/AppIconStyle.h"
#include "shared/MorvaneIdentifiers.h"
#include "springboard/HomeScreen.h"
#include "springboard/IconMenu.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "springboard/SBUILegibilityLabel.h"
#include "ui/Label.h"

using nlohmann::json;

namespace {

// Entries shown of the end of the timeline.
constexpr std::size_t kTimelineTail = 40;

json frameOf(const ui::Rect& rect) {
    return json::array({rect.x(), rect.y(), rect.width(), rect.height()});
}

json frameOnScreen(const ui::View& view) {
    const ui::Point origin = view.convertPointToView(view.bounds().origin, nullptr);
    return json::array({origin.x, origin.y, view.bounds().width(), view.bounds().height()});
}

std::string labelOf(const std::string& bundleIdentifier) {
    return render::AppIconStyle::displayName(bundleIdentifier);
}

json editorOf() {
    if (const auto slider = OpenMenu::editor("sliderView")) {
        const auto control = OpenMenu::slider();
        const ui::Point thumb = OpenMenu::thumbAt(*control, control->value());
        return {{"kind", "slider"},
                {"frame", frameOnScreen(*slider)},
                {"thumb", json::array({thumb.x, thumb.y})},
                {"track", json::array({OpenMenu::thumbAt(*control, control->minimumValue()).x,
                                       OpenMenu::thumbAt(*control, control->maximumValue()).x})}};
    }
    if (const auto toggles = OpenMenu::editor("togglesView"))
        return {{"kind", "toggles"}, {"frame", frameOnScreen(*toggles)}};
    return nullptr;
}

// A stored app value's key: "<bundleId>-volume", "-brightness" or "-toggles".
std::optional<std::pair<std::string, std::string>> splitValueKey(const std::string& key) {
    for (const std::string_view kind : {"volume", "brightness", "toggles"}) {
        const std::string suffix = "-" + std::string(kind);
        if (key.size() > suffix.size() && key.ends_with(suffix))
            return std::pair{key.substr(0, key.size() - suffix.size()), std::string(kind)};
    }
    return std::nullopt;
}

json togglesOf(const core::PlistValue& value) {
    json toggles = json::object();
    if (const auto* dictionary = value.asDictionary()) {
        for (const auto& [name, state] : *dictionary) {
            if (const auto number = state.asInteger())
                toggles[name] = *number != 0;
            else if (const auto flag = state.asBool())
                toggles[name] = *flag;
        }
    }
    return toggles;
}

}  // namespace

json PhoneState::of(LivePhone& phone) {
    const auto& device = device::Phone::shared();
    const auto overlays = device.overlays();
    static constexpr const char* kScreens[] = {"home", "app", "settings"};
    return {{"volume", device.volume()},
            {"brightness", device.brightness()},
            {"switches", switches()},
            {"front", phone.front() ? json(*phone.front()) : json()},
            {"screen", kScreens[static_cast<int>(phone.screen())]},
            {"icons", icons(phone)},
            {"menu", menu()},
            {"pane", pane(phone)},
            {"values", values()},
            {"settings", settings()},
            {"hud", {{"volume", overlays.volume}, {"brightness", overlays.brightness}}},
            {"overlays",
             {{"volume", device.isVolumeOverlayShowing()},
              {"brightness", device.isBrightnessOverlayShowing()}}},
            {"timeline", timeline()}};
}

json PhoneState::switches() {
    json states = json::object();
    const auto& phone = device::Phone::shared();
    for (const auto which : device::allSwitches())
        states[std::string(device::switchName(which))] =
            std::string(device::switchStateName(phone.switchState(which)));
    return states;
}

json PhoneState::icons(const LivePhone& phone) {
    json icons = json::array();
    for (const auto& app : phone.apps()) {
        const auto frame = springboard::HomeScreen::iconFrame(app);
        if (!frame) continue;
        icons.push_back({{"bundleId", app}, {"label", labelOf(app)}, {"frame", frameOf(*frame)}});
    }
    return icons;
}

json PhoneState::menu() {
    using springboard::IconMenu;
    const auto controller = IconMenu::isOpen() ? IconMenu::shortcutViewController() : nullptr;
    if (!controller)
        return {{"open", false},
                {"bundleId", nullptr},
                {"frame", nullptr},
                {"rows", json::array()},
                {"editor", nullptr}};
    json rows = json::array();
    for (const auto& row : OpenMenu::rows()) {
        rows.push_back({{"title", row->titleLabel() ? row->titleLabel()->text() : ""},
                        {"subtitle", row->subtitleLabel() ? row->subtitleLabel()->text() : ""},
                        {"frame", frameOnScreen(*row)},
                        {"editor", OpenMenu::editorName(row)}});
    }
    return {{"open", true},
            {"bundleId", IconMenu::openApp()},
            {"frame", frameOnScreen(*controller->view())},
            {"rows", std::move(rows)},
            {"editor", editorOf()}};
}

json PhoneState::pane(LivePhone& phone) {
    const auto* settings = phone.settings();
    if (!settings || phone.screen() != LivePhone::Screen::Settings) return nullptr;
    const auto& page = settings->page();
    return {{"title", page.value("title", std::string())},
            {"rows", page.value("rows", json::array())},
            {"alert", page.value("alert", json())},
            {"back", page.value("back", false)},
            {"respring", page.value("respring", false)}};
}

json PhoneState::values() {
    json apps = json::object();
    const auto file = core::PreferenceFileCache::read(StoredValues::kDevicePath);
    if (!file) return apps;
    for (const auto& [key, value] : *file) {
        const auto split = splitValueKey(key);
        if (!split) continue;
        const auto& [app, kind] = *split;
        if (!apps.contains(app))
            apps[app] = {{"volume", nullptr}, {"brightness", nullptr}, {"toggles", json::object()}};
        if (kind == "toggles")
            apps[app]["toggles"] = togglesOf(value);
        else if (const auto level = value.asNumber())
            apps[app][kind] = *level;
    }
    return apps;
}

json PhoneState::settings() {
    json flags = json::object();
    for (const auto& [key, on] :
         core::HBPreferences::boundFlags(morvane::identifiers::kSettingsDomain))
        flags[key] = on;
    return flags;
}

json PhoneState::timeline() {
    const auto timeline = device::Phone::shared().timeline();
    const auto& entries = timeline.entries();
    json lines = json::array();
    const std::size_t first = entries.size() > kTimelineTail ? entries.size() - kTimelineTail : 0;
    for (std::size_t index = first; index < entries.size(); ++index)
        lines.push_back(entries[index].format());
    return lines;
}
