#pragma once

#include <string>

#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// A locale ("NSLocale"), known by its identifier ("ar_SA", "en_US", "zh-Hans_CN").
class Locale : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSLocale";

    explicit Locale(std::string identifier) : _identifier(std::move(identifier)) {}

    // "currentLocale": the locale the system is set to.
    static rt::Ref<Locale> currentLocale();
    // Sets the system's locale; the phone does when it boots. "en_US" until then.
    static void setSystemLocaleIdentifier(std::string identifier);
    // "initWithLocaleIdentifier:" / "localeWithLocaleIdentifier:".
    static rt::Ref<Locale> localeWithLocaleIdentifier(const std::string& identifier);

    const std::string& localeIdentifier() const { return _identifier; }
    // The language part: "ar" of "ar_SA", "zh" of "zh-Hans_CN".
    std::string languageCode() const;
    // The region part, or empty: "SA" of "ar_SA".
    std::string countryCode() const;

  private:
    std::string _identifier;
};

}  // namespace ui
