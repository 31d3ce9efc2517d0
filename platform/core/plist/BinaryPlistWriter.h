#pragma once

#include "core/plist/PlistLimits.h"
#include "core/plist/PlistValue.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace core {

// Writes a "bplist00" binary property list as the system preference store does: an object
// table (equal scalars and keys written once), an offset table and the trailer, with the
// smallest integer, offset and reference widths. ASCII strings are 8-bit, others UTF-16
// big-endian; single-precision reals are 4-byte floats, other reals 8-byte doubles.
class BinaryPlistWriter {
  public:
    // Empty when the value nests deeper than kMaxPlistNestingDepth, when the file would be
    // larger than maxSize, or without memory for it. Never throws.
    static std::string write(const PlistValue& value, std::size_t maxSize = kMaxPlistWrittenSize);

  private:
    struct Object {
        const std::string* scalar = nullptr;    // a scalar's encoding, owned by _scalarIndexes
        std::string header;                     // a container's marker and count
        std::vector<std::uint64_t> references;  // a container's children
    };

    bool flatten(const PlistValue& value, std::size_t depth, std::uint64_t& index);
    std::uint64_t addScalar(std::string encoded);
    std::string encodeScalar(const PlistValue& value) const;
    void reserveFor(const PlistValue& value);
    bool grow(std::size_t bytes);
    std::string serialize() const;

    std::vector<Object> _objects;
    std::unordered_map<std::string, std::uint64_t> _scalarIndexes;
    std::size_t _maxSize = kMaxPlistWrittenSize;
    std::size_t _leastSize = 0;  // the file's size if every reference and offset took one byte
};

}  // namespace core
