#include "core/plist/BinaryPlistReader.h"

#include "core/plist/PlistDateFormat.h"
#include "core/plist/PlistLimits.h"
#include "core/plist/PlistTextEncoding.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace core {

namespace {

struct BinaryPlistError {};

constexpr std::string_view kMagic = "bplist00";
constexpr std::size_t kTrailerSize = 32;
// Memory a file may expand to, as a multiple of its size (shared references can make a
// small file describe a huge tree), within fixed bounds.
constexpr std::uint64_t kExpansionFactor = 32;
constexpr std::uint64_t kMinimumBudget = 64ull << 20;
constexpr std::uint64_t kMaximumBudget = 1ull << 30;

enum Marker : unsigned {
    kMarkerSimple = 0x0,
    kMarkerInteger = 0x1,
    kMarkerReal = 0x2,
    kMarkerDate = 0x3,
    kMarkerData = 0x4,
    kMarkerAsciiString = 0x5,
    kMarkerUtf16String = 0x6,
    kMarkerArray = 0xA,
    kMarkerDictionary = 0xD,
};

// True when every surrogate of the UTF-16 big-endian text is one of a high-low pair.
bool hasOnlyPairedSurrogates(const std::uint8_t* data, std::size_t unitCount) {
    for (std::size_t index = 0; index < unitCount; ++index) {
        const unsigned unit = (data[2 * index] << 8) | data[2 * index + 1];
        if (unit < 0xD800 || unit > 0xDFFF) continue;
        if (unit > 0xDBFF || index + 1 == unitCount) return false;
        const unsigned next = (data[2 * index + 2] << 8) | data[2 * index + 3];
        if (next < 0xDC00 || next > 0xDFFF) return false;
        ++index;
    }
    return true;
}

}  // namespace

BinaryPlistReader::BinaryPlistReader(std::string_view bytes, bool strict)
    : _bytes(bytes),
      _strict(strict),
      _budget(std::clamp<std::uint64_t>(bytes.size() * kExpansionFactor, kMinimumBudget,
                                        kMaximumBudget)) {}

std::optional<PlistValue> BinaryPlistReader::read() {
    try {
        readTrailer();
        return readObject(_trailer.topObject, 0);
    } catch (const BinaryPlistError&) {
        return std::nullopt;
    }
}

void BinaryPlistReader::fail() const {
    throw BinaryPlistError{};
}

void BinaryPlistReader::readTrailer() {
    if (_bytes.size() < kMagic.size() + 1 + kTrailerSize || !_bytes.starts_with(kMagic)) fail();
    const std::size_t trailer = _bytes.size() - kTrailerSize;
    _trailer.offsetSize = static_cast<unsigned char>(_bytes[trailer + 6]);
    _trailer.referenceSize = static_cast<unsigned char>(_bytes[trailer + 7]);
    _trailer.objectCount = readUnsigned(trailer + 8, 8);
    _trailer.topObject = readUnsigned(trailer + 16, 8);
    _trailer.offsetTableStart = readUnsigned(trailer + 24, 8);
    const auto validWidth = [](std::size_t width) { return width >= 1 && width <= 8; };
    if (!validWidth(_trailer.offsetSize) || !validWidth(_trailer.referenceSize) ||
        _trailer.objectCount == 0 || _trailer.topObject >= _trailer.objectCount ||
        _trailer.offsetTableStart <= kMagic.size() || _trailer.offsetTableStart > trailer ||
        _trailer.objectCount > (trailer - _trailer.offsetTableStart) / _trailer.offsetSize)
        fail();
}

// A big-endian number of width bytes whose bytes are known to be in the file (references of a
// container's table: readExtent found the table within the file).
std::uint64_t BinaryPlistReader::unsignedAt(std::size_t position, std::size_t width) const {
    const char* bytes = _bytes.data() + position;
    switch (width) {
        case 1:
            return static_cast<unsigned char>(*bytes);
        case 2: {
            std::uint16_t value;
            std::memcpy(&value, bytes, 2);
            return __builtin_bswap16(value);
        }
        case 4: {
            std::uint32_t value;
            std::memcpy(&value, bytes, 4);
            return __builtin_bswap32(value);
        }
        case 8: {
            std::uint64_t value;
            std::memcpy(&value, bytes, 8);
            return __builtin_bswap64(value);
        }
        default: {
            std::uint64_t value = 0;
            for (std::size_t index = 0; index < width; ++index)
                value = (value << 8) | static_cast<unsigned char>(bytes[index]);
            return value;
        }
    }
}

std::uint64_t BinaryPlistReader::objectOffset(std::uint64_t index) {
    if (index >= _trailer.objectCount) fail();
    const std::uint64_t offset =
        readUnsigned(_trailer.offsetTableStart + index * _trailer.offsetSize, _trailer.offsetSize);
    if (offset < kMagic.size() || offset >= _trailer.offsetTableStart) fail();
    return offset;
}

PlistValue BinaryPlistReader::readObject(std::uint64_t index, std::size_t depth) {
    const std::size_t offset = objectOffset(index);
    const auto marker = static_cast<unsigned char>(_bytes[offset]);
    const unsigned low = marker & 0x0F;
    spend(sizeof(PlistValue));
    charge(1, 0);
    switch (marker >> 4) {
        case kMarkerSimple:
            if (low != 0x8 && low != 0x9) fail();
            return PlistValue(low == 0x9);
        case kMarkerInteger:
            return readInteger(offset, low);
        case kMarkerReal:
            return readReal(offset, low);
        case kMarkerDate:
            return readDate(offset, low);
        case kMarkerData:
            return readData(offset);
        case kMarkerAsciiString:
        case kMarkerUtf16String:
            return PlistValue(readString(offset, marker >> 4 == kMarkerUtf16String));
        case kMarkerArray:
        case kMarkerDictionary:
            return readContainer(index, offset, depth + 1);
        default:
            fail();  // sets, UIDs, nulls and fill bytes have no property-list kind
    }
}

PlistValue BinaryPlistReader::readContainer(std::uint64_t index, std::size_t offset,
                                            std::size_t depth) {
    if (depth > kMaxPlistNestingDepth) fail();
    if (const auto found = _readContainers.find(index); found != _readContainers.end()) {
        // Shared: the element itself was charged by readObject, all it holds is charged here,
        // and its levels count from where it is referenced now.
        const ReadContainer& shared = found->second;
        if (depth + shared.height - 1 > kMaxPlistNestingDepth) fail();
        _deepest = std::max(_deepest, depth + shared.height - 1);
        charge(shared.size.elements - 1, shared.size.payloadBytes);
        return shared.value;
    }
    if (!_containersBeingRead.insert(index).second) fail();  // a container containing itself
    const PlistSizeBudget::Size before = _logicalSize.spent();
    const std::size_t deepestOutside = _deepest;
    _deepest = depth;
    const bool isArray = static_cast<unsigned char>(_bytes[offset]) >> 4 == kMarkerArray;
    PlistValue container = isArray ? readArray(offset, depth) : readDictionary(offset, depth);
    _containersBeingRead.erase(index);
    PlistSizeBudget::Size size = _logicalSize.spentSince(before);
    ++size.elements;  // the container itself, charged before `before`
    _readContainers.emplace(index, ReadContainer{container, size, _deepest - depth + 1});
    _deepest = std::max(deepestOutside, _deepest);
    return container;
}

BinaryPlistReader::Extent BinaryPlistReader::readExtent(std::size_t offset, std::size_t unitSize) {
    const unsigned low = static_cast<unsigned char>(_bytes[offset]) & 0x0F;
    Extent extent{low, offset + 1};
    if (low == 0x0F) {
        requireBytes(offset + 1, 1);
        const auto countMarker = static_cast<unsigned char>(_bytes[offset + 1]);
        const unsigned widthCode = countMarker & 0x0F;
        if (countMarker >> 4 != kMarkerInteger || widthCode > 3) fail();
        const std::size_t width = std::size_t{1} << widthCode;
        extent.count = readUnsigned(offset + 2, width);
        extent.payloadStart = offset + 2 + width;
    }
    const std::uint64_t available = _trailer.offsetTableStart > extent.payloadStart
                                        ? _trailer.offsetTableStart - extent.payloadStart
                                        : 0;
    if (extent.count > available / unitSize) fail();
    return extent;
}

PlistValue BinaryPlistReader::readInteger(std::size_t offset, unsigned widthCode) {
    if (widthCode > 4) fail();
    const std::size_t width = std::size_t{1} << widthCode;
    if (width <= 4) return PlistValue(readUnsigned(offset + 1, width));
    if (width == 8) return PlistValue(static_cast<std::int64_t>(readUnsigned(offset + 1, 8)));
    // 128-bit: only values that fit 64 bits (signed or unsigned) are representable.
    const std::uint64_t high = readUnsigned(offset + 1, 8);
    const std::uint64_t low = readUnsigned(offset + 9, 8);
    if (high == 0) return PlistValue(low);
    if (high == ~std::uint64_t{0} && static_cast<std::int64_t>(low) < 0)
        return PlistValue(static_cast<std::int64_t>(low));
    fail();
}

PlistValue BinaryPlistReader::readReal(std::size_t offset, unsigned widthCode) {
    if (widthCode == 2)
        return PlistValue(
            std::bit_cast<float>(static_cast<std::uint32_t>(readUnsigned(offset + 1, 4))));
    if (widthCode == 3) return PlistValue(std::bit_cast<double>(readUnsigned(offset + 1, 8)));
    fail();
}

// A dictionary key, which must be a string.
std::string BinaryPlistReader::readKey(std::uint64_t index) {
    const std::size_t offset = objectOffset(index);
    const unsigned kind = static_cast<unsigned char>(_bytes[offset]) >> 4;
    if (kind != kMarkerAsciiString && kind != kMarkerUtf16String) fail();
    spend(sizeof(std::string));
    charge(1, 0);
    return readString(offset, kind == kMarkerUtf16String);
}

std::string BinaryPlistReader::readString(std::size_t offset, bool utf16) {
    const Extent extent = readExtent(offset, utf16 ? 2 : 1);
    spend(extent.count * (utf16 ? 2 : 1));
    charge(0, extent.count * (utf16 ? 2 : 1));
    const auto* payload =
        reinterpret_cast<const std::uint8_t*>(_bytes.data() + extent.payloadStart);
    if (utf16) {
        if (_strict && !hasOnlyPairedSurrogates(payload, extent.count)) fail();
        return PlistTextEncoding::fromUtf16BigEndian(payload, extent.count);
    }
    const std::string_view bytes = _bytes.substr(extent.payloadStart, extent.count);
    if (PlistTextEncoding::isAscii(bytes)) return std::string(bytes);
    if (_strict) fail();
    std::string text;
    PlistTextEncoding::appendValidUtf8(text, bytes);
    return text;
}

PlistValue BinaryPlistReader::readDate(std::size_t offset, unsigned widthCode) {
    if (widthCode != 3) fail();
    const double seconds = std::bit_cast<double>(readUnsigned(offset + 1, 8));
    if (_strict && !PlistDateFormat::isInTextRange(seconds)) fail();
    return PlistValue::date(seconds);
}

PlistValue BinaryPlistReader::readData(std::size_t offset) {
    const Extent extent = readExtent(offset, 1);
    spend(extent.count);
    charge(0, extent.count);
    const auto* payload =
        reinterpret_cast<const std::uint8_t*>(_bytes.data() + extent.payloadStart);
    return PlistValue::data(PlistBytes(payload, payload + extent.count));
}

PlistValue BinaryPlistReader::readArray(std::size_t offset, std::size_t depth) {
    const Extent extent = readExtent(offset, _trailer.referenceSize);
    PlistArray::Storage items;
    items.reserve(extent.count);
    for (std::uint64_t item = 0; item < extent.count; ++item) {
        const std::uint64_t reference =
            referenceAt(extent.payloadStart + item * _trailer.referenceSize);
        items.push_back(readObject(reference, depth));
    }
    return PlistValue(PlistArray(std::move(items)));
}

PlistValue BinaryPlistReader::readDictionary(std::size_t offset, std::size_t depth) {
    const Extent extent = readExtent(offset, 2 * _trailer.referenceSize);
    const std::size_t valuesStart = extent.payloadStart + extent.count * _trailer.referenceSize;
    std::vector<PlistDictionary::Entry> entries;
    entries.reserve(extent.count);
    for (std::uint64_t entry = 0; entry < extent.count; ++entry) {
        std::string key =
            readKey(referenceAt(extent.payloadStart + entry * _trailer.referenceSize));
        entries.emplace_back(
            std::move(key),
            readObject(referenceAt(valuesStart + entry * _trailer.referenceSize), depth));
    }
    return PlistValue(PlistDictionary(std::move(entries)));
}

}  // namespace core
