#pragma once

#include "core/plist/PlistSizeBudget.h"
#include "core/plist/PlistValue.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace core {

// Reads a "bplist00" binary property list. Every offset, length and reference is checked
// against the file; cyclic references, nesting deeper than kMaxPlistNestingDepth and
// files that would expand beyond a memory budget are refused. A container referenced
// from several places is read once and shared, but counts against the logical size bounds
// (PlistSizeBudget) at every reference, so no file describes more than a writer can expand.
class BinaryPlistReader {
  public:
    // A strict reader also refuses what the lenient one repairs or passes on: an "ASCII"
    // string holding other bytes, a UTF-16 string with an unpaired surrogate, and a date
    // that is not finite or lies outside years 0001-9999.
    explicit BinaryPlistReader(std::string_view bytes, bool strict = false);

    std::optional<PlistValue> read();

  private:
    struct Trailer {
        std::size_t offsetSize = 0;
        std::size_t referenceSize = 0;
        std::uint64_t objectCount = 0;
        std::uint64_t topObject = 0;
        std::uint64_t offsetTableStart = 0;
    };
    struct ReadContainer {
        PlistValue value;
        PlistSizeBudget::Size size;  // the logical size of the container and all it holds
        std::size_t height = 0;      // levels of containers, itself included
    };
    struct Extent {
        std::uint64_t count;
        std::size_t payloadStart;
    };

    void readTrailer();
    PlistValue readObject(std::uint64_t index, std::size_t depth);
    PlistValue readContainer(std::uint64_t index, std::size_t offset, std::size_t depth);
    PlistValue readArray(std::size_t offset, std::size_t depth);
    PlistValue readDictionary(std::size_t offset, std::size_t depth);
    PlistValue readInteger(std::size_t offset, unsigned widthCode);
    PlistValue readReal(std::size_t offset, unsigned widthCode);
    std::string readKey(std::uint64_t index);
    std::string readString(std::size_t offset, bool utf16);
    PlistValue readData(std::size_t offset);
    PlistValue readDate(std::size_t offset, unsigned widthCode);
    Extent readExtent(std::size_t offset, std::size_t unitSize);
    std::uint64_t objectOffset(std::uint64_t index);
    std::uint64_t referenceAt(std::size_t position) const {
        return unsignedAt(position, _trailer.referenceSize);
    }
    std::uint64_t readUnsigned(std::size_t position, std::size_t width) {
        requireBytes(position, width);
        return unsignedAt(position, width);
    }
    std::uint64_t unsignedAt(std::size_t position, std::size_t width) const;
    void requireBytes(std::size_t position, std::uint64_t count) const {
        if (position > _bytes.size() || count > _bytes.size() - position) fail();
    }
    void spend(std::uint64_t bytes) {
        if (bytes > _budget) fail();
        _budget -= bytes;
    }
    void charge(std::size_t elements, std::size_t payloadBytes) {
        if (!_logicalSize.charge(elements, payloadBytes)) fail();
    }
    [[noreturn, gnu::cold, gnu::noinline]] void fail() const;

    std::string_view _bytes;
    bool _strict = false;
    Trailer _trailer;
    std::uint64_t _budget = 0;
    PlistSizeBudget _logicalSize;
    std::size_t _deepest = 0;  // deepest container level reached so far
    std::unordered_map<std::uint64_t, ReadContainer> _readContainers;
    std::unordered_set<std::uint64_t> _containersBeingRead;
};

}  // namespace core
