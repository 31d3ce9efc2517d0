#pragma once

#include "core/plist/PlistLimits.h"
#include "core/plist/PlistValue.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// Writes a value as the XML property list an app's writeToFile:atomically: produces:
// the XML declaration, Apple's DOCTYPE, <plist version="1.0">, one element per line
// indented with tabs, and a newline after </plist>.
class XmlPlistWriter {
  public:
    // Empty when the value cannot be written: nesting deeper than kMaxPlistNestingDepth,
    // a string holding a control character XML 1.0 cannot carry, a document larger than
    // maxSize, or no memory for it. Never throws.
    static std::string write(const PlistValue& value, std::size_t maxSize = kMaxPlistWrittenSize);
    // The same, and also empty when the text would not read back equal to the value (a date
    // with a fraction of a second or outside years 0001-9999, which <date> cannot carry).
    static std::string writeExactly(const PlistValue& value,
                                    std::size_t maxSize = kMaxPlistWrittenSize);

  private:
    XmlPlistWriter(bool exact, std::size_t maxSize) : _exact(exact), _maxSize(maxSize) {}

    static std::string writeDocument(const PlistValue& value, bool exact, std::size_t maxSize);
    bool writeValue(const PlistValue& value, std::size_t level);
    bool writeDictionary(const PlistDictionary& dictionary, std::size_t level);
    bool writeArray(const PlistArray& array, std::size_t level);
    void writeReal(double value);
    void writeData(const PlistBytes& bytes, std::size_t level);
    bool writeEscaped(std::string_view text);
    void writeIndent(std::size_t level);

    bool _exact;
    std::size_t _maxSize;
    std::string _out;
};

}  // namespace core
