#include "tweak/widgets/LocalizationHelper.h"

#include <array>
#include <string_view>

#include "foundation/Locale.h"
#include "foundation/NumberFormatter.h"
#include "rt/Make.h"

namespace morvane {

namespace {

constexpr std::string_view kArabic = "ar";
constexpr std::array<std::string_view, 6> kLanguagesWithoutPlural = {"ar", "ko", "zh",
                                                                     "ms", "it", "de"};

std::string currentLocaleIdentifier() {
    const rt::Ref<ui::Locale> locale = ui::Locale::currentLocale();
    return locale ? locale->localeIdentifier() : std::string();
}

bool currentLocaleContains(std::string_view part) {
    return currentLocaleIdentifier().find(part) != std::string::npos;
}

std::string arabicDigitsOf(long long number) {
    const rt::Ref<ui::NumberFormatter> formatter = rt::make<ui::NumberFormatter>();
    formatter->setLocale(ui::Locale::localeWithLocaleIdentifier(std::string(kArabic)));
    return formatter->stringFromInteger(number);
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

bool LocalizationHelper::languageSupportsPlural() {
    const std::string identifier = currentLocaleIdentifier();
    for (std::string_view language : kLanguagesWithoutPlural) {
        if (identifier.find(language) != std::string::npos) return false;
    }
    return true;
}

std::string LocalizationHelper::getLocalizedNumberStringFrom(long long number) {
    if (!currentLocaleContains(kArabic)) return std::to_string(number);
    return arabicDigitsOf(number);
}

// Digits are handled from 0 to 9, each pass working on the result of the one before.
std::string LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString(
    const std::string& text) {
    if (!currentLocaleContains(kArabic)) return text;
    std::string result = text;
    for (long long digit = 0; digit <= 9; ++digit)
        replaceAll(result, std::to_string(digit), arabicDigitsOf(digit));
    return result;
}

}  // namespace morvane
