#pragma once

#include <string>

namespace morvane {

// Numbers written for the phone's language: Arabic-Indic digits when the current locale's
// identifier contains "ar". Class operations only. The locale tests are plain,
// case-sensitive substring tests on the identifier ("ar_SA" matches, "en_AR" does not).
class LocalizationHelper {
  public:
    LocalizationHelper() = delete;

    // "languageSupportsPlural": false for the languages whose texts take no plural form
    // ("ar", "ko", "zh", "ms", "it", "de" in the identifier), else true.
    static bool languageSupportsPlural();
    // "getLocalizedNumberStringFrom:": the number in Arabic-Indic digits for an Arabic locale,
    // else in plain decimal.
    static std::string getLocalizedNumberStringFrom(long long number);
    // "replaceNumbersWithLocalizedNumbersFromString:": every Western digit of the text turned
    // into its Arabic-Indic digit for an Arabic locale; else the text unchanged.
    static std::string replaceNumbersWithLocalizedNumbersFromString(const std::string& text);
};

}  // namespace morvane
