#include "foundation/Locale.h"

#include "device/Phone.h"
#include "rt/Make.h"

namespace ui {

rt::Ref<Locale> Locale::currentLocale() {
    return rt::make<Locale>(device::Phone::shared().localeIdentifier());
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
