#pragma once

#include "core/plist/PlistArray.h"
#include "core/plist/PlistDictionary.h"
#include "core/plist/PlistKind.h"

#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace core {

using PlistBytes = std::vector<std::uint8_t>;

// One property-list value of any of the eight kinds. Containers are shared copy-on-write,
// so copying a value is cheap whatever its size. Typed accessors never throw: asked for the
// wrong kind they answer nullopt or null.
class PlistValue {
  public:
    PlistValue();
    PlistValue(bool value);
    template <std::integral Integer>
    requires(!std::same_as<Integer, bool>) PlistValue(Integer value)
        : _storage(makeInteger(value)) {}
    PlistValue(double value);
    // A float is kept as its exact widened double, flagged to be written single precision.
    PlistValue(float value);
    PlistValue(std::string value);
    PlistValue(std::string_view value);
    PlistValue(const char* value);
    PlistValue(PlistArray value);
    PlistValue(PlistDictionary value);

    // A date, in seconds since 2001-01-01 00:00:00 UTC (as the phone counts them).
    static PlistValue date(double secondsSince2001);
    static PlistValue data(PlistBytes bytes);

    PlistKind kind() const;

    std::optional<bool> asBool() const;
    // The integer as signed 64-bit; nullopt for a non-integer or one above INT64_MAX.
    std::optional<std::int64_t> asInteger() const;
    // The integer as unsigned 64-bit; nullopt for a non-integer or a negative one.
    std::optional<std::uint64_t> asUnsignedInteger() const;
    // True for an integer only an unsigned 64-bit number can hold (above INT64_MAX).
    bool isLargeUnsignedInteger() const;
    std::optional<double> asReal() const;
    // A real or an integer as a double (settings written by hand may use either).
    std::optional<double> asNumber() const;
    // True for a real read from, or to be written as, single precision.
    bool isSinglePrecision() const;
    const std::string* asString() const;
    const PlistBytes* asData() const;
    std::optional<double> asDate() const;
    const PlistArray* asArray() const;
    const PlistDictionary* asDictionary() const;
    PlistArray* mutableArray();
    PlistDictionary* mutableDictionary();

    // Deep equality. Reals and dates compare by value (NaN equals NaN), reals whatever their width.
    friend bool operator==(const PlistValue& left, const PlistValue& right);

  private:
    struct Integer {
        std::uint64_t bits;
        bool isUnsigned;
        friend bool operator==(const Integer&, const Integer&) = default;
    };
    struct Real {
        double value;
        bool singlePrecision;
        // Equal values, or both NaN.
        friend bool operator==(const Real& left, const Real& right) {
            return left.value == right.value ||
                   (left.value != left.value && right.value != right.value);
        }
    };
    struct Date {
        double seconds;
        friend bool operator==(const Date& left, const Date& right) {
            return left.seconds == right.seconds ||
                   (left.seconds != left.seconds && right.seconds != right.seconds);
        }
    };
    struct Data {
        PlistBytes bytes;
        friend bool operator==(const Data&, const Data&) = default;
    };
    using Storage =
        std::variant<bool, Integer, Real, std::string, Data, Date, PlistArray, PlistDictionary>;

    template <std::integral Value>
    static Integer makeInteger(Value value) {
        if constexpr (std::is_signed_v<Value>) {
            return Integer{static_cast<std::uint64_t>(static_cast<std::int64_t>(value)), false};
        } else {
            const auto bits = static_cast<std::uint64_t>(value);
            return Integer{
                bits, bits > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())};
        }
    }
    explicit PlistValue(Storage storage);

    Storage _storage;
};

}  // namespace core
