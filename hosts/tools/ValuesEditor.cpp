// Another process of the phone that edits Morvane's settings and per-app values file, as the
// settings pane or a second app would: it rewrites the file atomically in the format the
// library reads (single-precision reals, 32-bit integers), by the rule every writer of a
// preference file follows (its lock, the file read again under it, an unreadable file kept
// aside), then posts the reload notification.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "shared/MorvaneIdentifiers.h"

namespace {

using morvane::identifiers::kReloadNotification;
using morvane::identifiers::kValuesFileDevicePath;

void usage(FILE* to) {
    std::fprintf(to,
                 "usage: ValuesEditor --root DIR COMMAND\n"
                 "Edits %s under the device root, then posts %s.\n",
                 kValuesFileDevicePath, kReloadNotification);
    std::fputs(
        "  store BUNDLE_ID volume LEVEL           the app's volume (0..1)\n"
        "  store BUNDLE_ID brightness LEVEL       the app's brightness (0..1)\n"
        "  store BUNDLE_ID toggle NAME on|off|unset  one of the app's toggles\n"
        "  store BUNDLE_ID clear                  every value of the app\n"
        "  setting KEY on|off                     a global setting\n"
        "Waits at most 3 s for another writer's lock (MORVANE_PREFERENCE_LOCK_WAIT_MS sets "
        "the wait);\n"
        "an unreadable file is renamed aside (NAME.unreadable) before it is replaced.\n"
        "Exit status: 0 written, 1 not written (the reason is printed), 2 bad usage.\n",
        to);
}

std::optional<float> parseLevel(const std::string& text) {
    char* end = nullptr;
    const double level = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !(level >= 0.0 && level <= 1.0)) return std::nullopt;
    return static_cast<float>(level);
}

// Applies one edit to the file's dictionary; answers false for words it does not understand.
bool edit(core::PlistDictionary& values, const std::vector<std::string>& words) {
    if (words.size() == 3 && words[0] == "setting" && (words[2] == "on" || words[2] == "off")) {
        values.set(words[1], core::PlistValue(words[2] == "on"));
        return true;
    }
    if (words.size() < 3 || words[0] != "store") return false;
    const std::string& app = words[1];
    const std::string& what = words[2];
    if (what == "clear" && words.size() == 3) {
        for (const char* suffix : {"-volume", "-brightness", "-toggles"})
            values.remove(app + suffix);
        return true;
    }
    if ((what == "volume" || what == "brightness") && words.size() == 4) {
        const auto level = parseLevel(words[3]);
        if (!level) return false;
        values.set(app + "-" + what, core::PlistValue(*level));
        return true;
    }
    if (what == "toggle" && words.size() == 5) {
        const std::string key = app + "-toggles";
        const core::PlistValue* stored = values.find(key);
        // A new dictionary replaces the old one, as every writer of this file does.
        core::PlistDictionary toggles =
            stored && stored->asDictionary() ? *stored->asDictionary() : core::PlistDictionary{};
        if (words[4] == "unset") {
            toggles.remove(words[3]);
        } else if (words[4] == "on" || words[4] == "off") {
            toggles.set(words[3],
                        core::PlistValue(static_cast<std::int32_t>(words[4] == "on" ? 1 : 0)));
        } else {
            return false;
        }
        values.set(key, core::PlistValue(std::move(toggles)));
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        usage(stdout);
        return 0;
    }
    if (argc < 4 || std::strcmp(argv[1], "--root") != 0) {
        usage(stderr);
        return 2;
    }
    core::DeviceRoot::set(argv[2]);
    const std::vector<std::string> words(argv + 3, argv + argc);
    core::PlistDictionary scratch;
    if (!edit(scratch, words)) {
        usage(stderr);
        return 2;
    }
    const auto update = core::PreferenceFileUpdate::apply(
        kValuesFileDevicePath, [&](core::PlistDictionary& values) { edit(values, words); },
        core::PlistFormat::Xml);
    if (!update.message.empty()) std::fprintf(stderr, "ValuesEditor: %s\n", update.message.c_str());
    if (!update.written()) return 1;
    if (core::NotifyCenter::post(kReloadNotification)) return 0;
    std::fprintf(stderr, "ValuesEditor: written, but %s could not be posted\n",
                 kReloadNotification);
    return 1;
}
