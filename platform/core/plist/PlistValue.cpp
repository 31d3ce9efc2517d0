#include "core/plist/PlistValue.h"

#include <utility>

namespace core {

PlistValue::PlistValue() : _storage(false) {}
PlistValue::PlistValue(bool value) : _storage(value) {}
PlistValue::PlistValue(double value) : _storage(Real{value, false}) {}
PlistValue::PlistValue(float value) : _storage(Real{static_cast<double>(value), true}) {}
PlistValue::PlistValue(std::string value) : _storage(std::move(value)) {}
PlistValue::PlistValue(std::string_view value) : _storage(std::string(value)) {}
PlistValue::PlistValue(const char* value) : _storage(std::string(value)) {}
PlistValue::PlistValue(PlistArray value) : _storage(std::move(value)) {}
PlistValue::PlistValue(PlistDictionary value) : _storage(std::move(value)) {}
PlistValue::PlistValue(Storage storage) : _storage(std::move(storage)) {}

PlistValue PlistValue::date(double secondsSince2001) {
    return PlistValue(Storage(Date{secondsSince2001}));
}

PlistValue PlistValue::data(PlistBytes bytes) {
    return PlistValue(Storage(Data{std::move(bytes)}));
}

PlistKind PlistValue::kind() const {
    return static_cast<PlistKind>(_storage.index());
}

std::optional<bool> PlistValue::asBool() const {
    if (const auto* value = std::get_if<bool>(&_storage)) return *value;
    return std::nullopt;
}

std::optional<std::int64_t> PlistValue::asInteger() const {
    const auto* integer = std::get_if<Integer>(&_storage);
    if (!integer || integer->isUnsigned) return std::nullopt;
    return static_cast<std::int64_t>(integer->bits);
}

std::optional<std::uint64_t> PlistValue::asUnsignedInteger() const {
    const auto* integer = std::get_if<Integer>(&_storage);
    if (!integer || (!integer->isUnsigned && static_cast<std::int64_t>(integer->bits) < 0))
        return std::nullopt;
    return integer->bits;
}

bool PlistValue::isLargeUnsignedInteger() const {
    const auto* integer = std::get_if<Integer>(&_storage);
    return integer && integer->isUnsigned;
}

std::optional<double> PlistValue::asReal() const {
    if (const auto* real = std::get_if<Real>(&_storage)) return real->value;
    return std::nullopt;
}

std::optional<double> PlistValue::asNumber() const {
    if (const auto* integer = std::get_if<Integer>(&_storage)) {
        if (integer->isUnsigned) return static_cast<double>(integer->bits);
        return static_cast<double>(static_cast<std::int64_t>(integer->bits));
    }
    return asReal();
}

bool PlistValue::isSinglePrecision() const {
    const auto* real = std::get_if<Real>(&_storage);
    return real && real->singlePrecision;
}

const std::string* PlistValue::asString() const {
    return std::get_if<std::string>(&_storage);
}

const PlistBytes* PlistValue::asData() const {
    const auto* data = std::get_if<Data>(&_storage);
    return data ? &data->bytes : nullptr;
}

std::optional<double> PlistValue::asDate() const {
    if (const auto* date = std::get_if<Date>(&_storage)) return date->seconds;
    return std::nullopt;
}

const PlistArray* PlistValue::asArray() const {
    return std::get_if<PlistArray>(&_storage);
}

const PlistDictionary* PlistValue::asDictionary() const {
    return std::get_if<PlistDictionary>(&_storage);
}

PlistArray* PlistValue::mutableArray() {
    return std::get_if<PlistArray>(&_storage);
}

PlistDictionary* PlistValue::mutableDictionary() {
    return std::get_if<PlistDictionary>(&_storage);
}

bool operator==(const PlistValue& left, const PlistValue& right) {
    return left._storage == right._storage;
}

}  // namespace core
