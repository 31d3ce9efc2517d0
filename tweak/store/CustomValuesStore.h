#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/plist/PlistDictionary.h"

namespace morvane {

// The per-app custom values: the one in-memory copy of the values file, its lookups and its
// writes. Main thread only.
//
// Lookups answer the sentinels -1.0 (no volume or brightness) and -1 (no toggle state). An
// entry of the wrong kind, or a level that is no finite number, reads as absent; a stored
// level of exactly -1.0 is the sentinel itself; any other level outside 0...1 reads clamped
// into it. Numbers are read as the phone reads them: a toggle entry as a 32-bit signed
// integer (a real loses its fraction and is held to the 32-bit range, an integer beyond 32
// bits keeps its low 32 bits); a boolean, a number there too, as 1 or 0 for a toggle and
// as 1.0 or 0.0 for a level.
class CustomValuesStore {
  public:
    static constexpr double kNoLevel = -1.0;
    static constexpr std::int32_t kNoToggleState = -1;

    // The dictionary of all values, loaded from the file on first use after start-up or a
    // reload; never none. Every call answers the same object until the reload drops it.
    static core::PlistDictionary& getCustomValuesPerAppDictionary();

    static double getCustomVolumeForApp(const std::string& bundleId);
    static double getCustomBrightnessForApp(const std::string& bundleId);
    static std::int32_t getCustomToggleStateForApp(const std::string& toggleName,
                                                   const std::string& bundleId);
    // The app's toggles dictionary (possibly empty), or none.
    static std::optional<core::PlistDictionary> getCustomTogglesForApp(const std::string& bundleId);

    // The entry of one toggle in a toggles dictionary read as a 32-bit signed integer (0 off,
    // any other value on); none when there is no entry or it is no number.
    static std::optional<std::int32_t> toggleEntryIn(const core::PlistDictionary& toggles,
                                                     std::string_view toggleName);

    // Writes: each applies its change to the file as it is on disk, under the file's lock
    // shared with every other writer, and replaces the file atomically. Answers whether the
    // file was written; the in-memory copy then becomes the file's content, and keeps what it
    // had when nothing was written (another process held the lock too long, an unreadable
    // file could not be kept aside, the write failed).
    static bool storeCustomVolumeForApp(float level, const std::string& bundleId);
    static bool removeCustomVolumeForApp(const std::string& bundleId);
    static bool storeCustomBrightnessForApp(float level, const std::string& bundleId);
    static bool removeCustomBrightnessForApp(const std::string& bundleId);
    // A state of -1 removes the toggle's entry; the app's toggles dictionary stays, if empty.
    static bool storeCustomToggleStateForApp(const std::string& toggleName, std::int32_t state,
                                             const std::string& bundleId);

    // The reload handler's part: drops the in-memory copy; the next lookup reads the file.
    static void dropCustomValuesPerAppDictionary();

    static void resetForTesting();

  private:
    using Change = std::function<void(core::PlistDictionary&)>;
    static bool writeChange(const Change& change);
    static double levelFor(const std::string& key);
};

}  // namespace morvane
