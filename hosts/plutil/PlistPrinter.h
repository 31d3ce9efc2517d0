#pragma once

#include <string>

#include "core/plist/PlistValue.h"

// The human-readable form of `plutil -p`: containers with their contents indented two spaces
// a level ("key" => value, index => value), strings quoted, data as its length and hex
// bytes, dates in ISO 8601, numbers and booleans as they are.
class PlistPrinter {
  public:
    static std::string print(const core::PlistValue& value);

  private:
    explicit PlistPrinter(std::string& out) : _out(out) {}

    void printValue(const core::PlistValue& value, std::size_t level);
    void printScalar(const core::PlistValue& value);
    void printQuoted(const std::string& text);
    void printData(const core::PlistBytes& bytes);
    void indent(std::size_t level);

    std::string& _out;
};
