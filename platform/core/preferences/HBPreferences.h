#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/notify/NotifyCenter.h"
#include "core/plist/PlistDictionary.h"

namespace core {

// The settings object of a preference domain: reads the domain's file, binds boolean flags to
// its keys with defaults, and keeps every bound flag equal to the stored value by rereading
// the file each time "<identifier>/ReloadPrefs" is posted. Lives on the main thread; the
// flags it writes may be read from any thread.
class HBPreferences {
  public:
    explicit HBPreferences(std::string identifier);  // initWithIdentifier:
    ~HBPreferences();
    HBPreferences(const HBPreferences&) = delete;
    HBPreferences& operator=(const HBPreferences&) = delete;

    const std::string& identifier() const { return _identifier; }

    // registerBool:default:forKey: — at once the flag holds the stored value of `key`, or
    // `defaultValue` when none (or no boolean) is stored; afterwards it follows the file.
    void registerBool(std::atomic<bool>* flag, bool defaultValue, const std::string& key);

    bool boolForKey(const std::string& key, bool defaultValue) const;
    std::optional<PlistValue> objectForKey(const std::string& key) const;

    // Rereads the file and refreshes every bound flag (what the reload notification does).
    void reload();

    // The flags bound by the settings objects of `identifier` alive in this process, by key,
    // as they hold now: what a host shows of a library's settings. Main thread.
    static std::vector<std::pair<std::string, bool>> boundFlags(const std::string& identifier);

  private:
    struct Binding {
        std::atomic<bool>* flag;
        bool defaultValue;
        std::string key;
    };

    void apply(const Binding& binding) const;

    std::string _identifier;
    PlistDictionary _values;
    std::vector<Binding> _bindings;
    NotifyCenter::Token _observer = 0;
};

}  // namespace core
