#include "core/plist/BinaryPlistWriter.h"

#include "core/plist/PlistLimits.h"
#include "core/plist/PlistTextEncoding.h"

#include <bit>
#include <new>
#include <stdexcept>

namespace core {

namespace {

constexpr std::string_view kMagic = "bplist00";

std::size_t widthFor(std::uint64_t largest) {
    if (largest <= 0xFF) return 1;
    if (largest <= 0xFFFF) return 2;
    if (largest <= 0xFFFFFFFF) return 4;
    return 8;
}

void appendBigEndian(std::string& out, std::uint64_t value, std::size_t width) {
    for (std::size_t shift = width; shift-- > 0;)
        out += static_cast<char>((value >> (8 * shift)) & 0xFF);
}

// An unsigned integer object in its smallest width (1, 2, 4 or 8 bytes).
void appendUnsignedInteger(std::string& out, std::uint64_t value) {
    const std::size_t width = widthFor(value);
    out += static_cast<char>(0x10 | std::countr_zero(width));
    appendBigEndian(out, value, width);
}

void appendMarker(std::string& out, unsigned kind, std::uint64_t count) {
    if (count < 15) {
        out += static_cast<char>((kind << 4) | count);
    } else {
        out += static_cast<char>((kind << 4) | 0x0F);
        appendUnsignedInteger(out, count);
    }
}

void appendInteger(std::string& out, const PlistValue& value) {
    if (value.isLargeUnsignedInteger()) {
        out += static_cast<char>(0x14);  // 16 bytes: values above INT64_MAX
        appendBigEndian(out, 0, 8);
        appendBigEndian(out, *value.asUnsignedInteger(), 8);
    } else if (*value.asInteger() < 0) {
        out += static_cast<char>(0x13);  // negative numbers are always 8 bytes
        appendBigEndian(out, static_cast<std::uint64_t>(*value.asInteger()), 8);
    } else {
        appendUnsignedInteger(out, static_cast<std::uint64_t>(*value.asInteger()));
    }
}

void appendString(std::string& out, const std::string& text) {
    if (PlistTextEncoding::isAscii(text)) {
        appendMarker(out, 0x5, text.size());
        out.append(text);
        return;
    }
    std::string utf16;
    const std::size_t units = PlistTextEncoding::appendUtf16BigEndian(utf16, text);
    appendMarker(out, 0x6, units);
    out.append(utf16);
}

}  // namespace

std::string BinaryPlistWriter::write(const PlistValue& value, std::size_t maxSize) {
    try {
        BinaryPlistWriter writer;
        writer._maxSize = maxSize;
        writer.reserveFor(value);
        std::uint64_t topIndex = 0;
        if (!writer.flatten(value, 0, topIndex)) return {};
        std::string out = writer.serialize();
        return out.size() <= maxSize ? out : std::string();
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const std::length_error&) {
        return {};
    }
}

// Notes bytes the file will hold at least; false once it cannot stay within bounds.
bool BinaryPlistWriter::grow(std::size_t bytes) {
    _leastSize += bytes;
    return _leastSize <= _maxSize;
}

// Gives the value (and, for a container, all it holds) an index in the object table.
bool BinaryPlistWriter::flatten(const PlistValue& value, std::size_t depth, std::uint64_t& index) {
    const bool isArray = value.kind() == PlistKind::Array;
    if (!isArray && value.kind() != PlistKind::Dictionary) {
        index = addScalar(encodeScalar(value));
        return grow(1);  // its reference
    }
    if (depth + 1 > kMaxPlistNestingDepth || !grow(2)) return false;  // its marker and reference
    index = _objects.size();
    _objects.emplace_back();
    std::vector<std::uint64_t> references;
    std::string encoded;
    if (isArray) {
        appendMarker(encoded, 0xA, value.asArray()->size());
        references.reserve(value.asArray()->size());
        for (const PlistValue& item : *value.asArray()) {
            if (!flatten(item, depth + 1, references.emplace_back())) return false;
        }
    } else {
        const PlistDictionary& dictionary = *value.asDictionary();
        appendMarker(encoded, 0xD, dictionary.size());
        references.resize(2 * dictionary.size());
        std::size_t entry = 0;
        for (const auto& [key, item] : dictionary) {
            std::string encodedKey;
            appendString(encodedKey, key);
            references[entry] = addScalar(std::move(encodedKey));
            if (!grow(1)) return false;
            if (!flatten(item, depth + 1, references[dictionary.size() + entry])) return false;
            ++entry;
        }
    }
    _objects[index] = Object{nullptr, std::move(encoded), std::move(references)};
    return true;
}

// A value of a settings file holds about two scalars per entry of its top container.
void BinaryPlistWriter::reserveFor(const PlistValue& value) {
    const std::size_t entries = value.asDictionary() ? value.asDictionary()->size()
                                : value.asArray()    ? value.asArray()->size()
                                                     : 0;
    _objects.reserve(2 * entries + 1);
    _scalarIndexes.reserve(2 * entries + 1);
}

std::uint64_t BinaryPlistWriter::addScalar(std::string encoded) {
    const std::size_t size = encoded.size();
    const auto [found, inserted] = _scalarIndexes.try_emplace(std::move(encoded), _objects.size());
    if (inserted) {
        _objects.push_back(Object{&found->first, {}, {}});
        _leastSize += size + 1;  // the object and its offset
    }
    return found->second;
}

std::string BinaryPlistWriter::encodeScalar(const PlistValue& value) const {
    std::string out;
    switch (value.kind()) {
        case PlistKind::Boolean:
            out += static_cast<char>(*value.asBool() ? 0x09 : 0x08);
            break;
        case PlistKind::Integer:
            appendInteger(out, value);
            break;
        case PlistKind::Real:
            if (value.isSinglePrecision()) {
                out += static_cast<char>(0x22);
                appendBigEndian(
                    out, std::bit_cast<std::uint32_t>(static_cast<float>(*value.asReal())), 4);
            } else {
                out += static_cast<char>(0x23);
                appendBigEndian(out, std::bit_cast<std::uint64_t>(*value.asReal()), 8);
            }
            break;
        case PlistKind::Date:
            out += static_cast<char>(0x33);
            appendBigEndian(out, std::bit_cast<std::uint64_t>(*value.asDate()), 8);
            break;
        case PlistKind::Data:
            appendMarker(out, 0x4, value.asData()->size());
            out.append(value.asData()->begin(), value.asData()->end());
            break;
        case PlistKind::String:
            appendString(out, *value.asString());
            break;
        default:
            break;
    }
    return out;
}

std::string BinaryPlistWriter::serialize() const {
    const std::size_t referenceSize = widthFor(_objects.size() - 1);
    std::string out(kMagic);
    std::vector<std::uint64_t> offsets;
    offsets.reserve(_objects.size());
    for (const Object& object : _objects) {
        offsets.push_back(out.size());
        out.append(object.scalar ? *object.scalar : object.header);
        for (const std::uint64_t reference : object.references)
            appendBigEndian(out, reference, referenceSize);
    }
    const std::uint64_t offsetTableStart = out.size();
    const std::size_t offsetSize = widthFor(offsets.back());
    for (const std::uint64_t offset : offsets) appendBigEndian(out, offset, offsetSize);
    out.append(6, '\0');  // unused, then the sort version (0)
    out += static_cast<char>(offsetSize);
    out += static_cast<char>(referenceSize);
    appendBigEndian(out, _objects.size(), 8);
    appendBigEndian(out, 0, 8);  // the top object is always first
    appendBigEndian(out, offsetTableStart, 8);
    return out;
}

}  // namespace core
