#pragma once

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
    // or a string holding a control character XML 1.0 cannot carry.
    static std::string write(const PlistValue& value);

  private:
    bool writeValue(const PlistValue& value, std::size_t level);
    bool writeDictionary(const PlistDictionary& dictionary, std::size_t level);
    bool writeArray(const PlistArray& array, std::size_t level);
    void writeReal(double value);
    void writeData(const PlistBytes& bytes, std::size_t level);
    bool writeEscaped(std::string_view text);
    void writeIndent(std::size_t level);

    std::string _out;
};

}  // namespace core
