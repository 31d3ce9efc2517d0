#include "foundation/Locale.h"

#include <mutex>

#include "rt/Make.h"
#include "rt/NoDestroy.h"

namespace ui {

namespace {

// The locale the system is set to, process-wide as the user's setting is on the device.
struct SystemLocale {
    std::mutex mutex;
    std::string identifier = "en_US";
};

SystemLocale& systemLocale() {
    static rt::NoDestroy<SystemLocale> locale;
    return *locale;
}

}  // namespace

rt::Ref<Locale> Locale::currentLocale() {
    SystemLocale& system = systemLocale();
    std::unique_lock lock(system.mutex);
    std::string identifier = system.identifier;
    lock.unlock();
    return rt::make<Locale>(std::move(identifier));
}

void Locale::setSystemLocaleIdentifier(std::string identifier) {
    SystemLocale& system = systemLocale();
    std::lock_guard lock(system.mutex);
    system.identifier = std::move(identifier);
}

rt::Ref<Locale> Locale::localeWithLocaleIdentifier(const std::string& identifier) {
    return rt::make<Locale>(identifier);
}

std::string Locale::languageCode() const {
    return _identifier.substr(0, _identifier.find_first_of("_-@"));
}

std::string Locale::countryCode() const {
    const std::size_t separator = _identifier.rfind('_');
    if (separator == std::string::npos) return {};
    return _identifier.substr(separator + 1, _identifier.find('@', separator) - separator - 1);
}

}  // namespace ui
