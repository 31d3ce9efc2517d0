#pragma once

#include <optional>
#include <string>
#include <variant>

// The present value of a quantity that an `expect` line or a print names: a number, or a
// word such as "on", "off" or "indeterminate".
using QuantityValue = std::variant<double, std::string>;

// Reads quantities off the phone, the application records, the values file and the
// library's settings (the names are in docs/scenarios.md).
class Quantity {
  public:
    // The value of `name`; throws ScenarioError for a name that is not a quantity.
    static QuantityValue read(const std::string& name);

    // Whether `value` matches the expected text (numbers within `tolerance`).
    static bool matches(const QuantityValue& value, const std::string& expected, double tolerance);
    static std::string describe(const QuantityValue& value);

    // The application record's property of an app, whatever its numeric type; none when the
    // app has no such property (the library is not active, or the name is not a property).
    static std::optional<double> recordProperty(const std::string& bundleIdentifier,
                                                const std::string& property);
};
