#include "PlistPrinter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/plist/PlistDateFormat.h"

using core::PlistKind;
using core::PlistValue;

std::string PlistPrinter::print(const PlistValue& value) {
    std::string out;
    PlistPrinter(out).printValue(value, 0);
    out += '\n';
    return out;
}

void PlistPrinter::indent(std::size_t level) {
    _out.append(2 * level, ' ');
}

void PlistPrinter::printValue(const PlistValue& value, std::size_t level) {
    if (const auto* dictionary = value.asDictionary()) {
        _out += "{\n";
        for (const auto& [key, item] : *dictionary) {
            indent(level + 1);
            printQuoted(key);
            _out += " => ";
            printValue(item, level + 1);
            _out += '\n';
        }
        indent(level);
        _out += '}';
    } else if (const auto* array = value.asArray()) {
        _out += "[\n";
        std::size_t index = 0;
        for (const PlistValue& item : *array) {
            indent(level + 1);
            _out += std::to_string(index++) + " => ";
            printValue(item, level + 1);
            _out += '\n';
        }
        indent(level);
        _out += ']';
    } else {
        printScalar(value);
    }
}

void PlistPrinter::printScalar(const PlistValue& value) {
    switch (value.kind()) {
        case PlistKind::Boolean:
            _out += *value.asBool() ? "true" : "false";
            break;
        case PlistKind::Integer:
            _out += value.isLargeUnsignedInteger() ? std::to_string(*value.asUnsignedInteger())
                                                   : std::to_string(*value.asInteger());
            break;
        case PlistKind::Real: {
            char text[32];
            const double real = *value.asReal();
            const auto end = std::isnan(real) ? std::snprintf(text, sizeof text, "nan") + text
                                              : std::to_chars(text, text + sizeof text, real).ptr;
            _out.append(text, end);
            break;
        }
        case PlistKind::String:
            printQuoted(*value.asString());
            break;
        case PlistKind::Date:
            _out += core::PlistDateFormat::format(*value.asDate());
            break;
        case PlistKind::Data:
            printData(*value.asData());
            break;
        default:
            break;
    }
}

// Quotes text; the quote, the backslash and control characters are escaped.
void PlistPrinter::printQuoted(const std::string& text) {
    _out += '"';
    for (const char character : text) {
        if (character == '"' || character == '\\') {
            _out += '\\';
            _out += character;
        } else if (character == '\n') {
            _out += "\\n";
        } else if (character == '\t') {
            _out += "\\t";
        } else if (static_cast<unsigned char>(character) < 0x20 || character == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(character));
            _out += escaped;
        } else {
            _out += character;
        }
    }
    _out += '"';
}

void PlistPrinter::printData(const core::PlistBytes& bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    _out += "{length = " + std::to_string(bytes.size()) + ", bytes = 0x";
    for (const std::uint8_t byte : bytes) {
        _out += kHex[byte >> 4];
        _out += kHex[byte & 0x0F];
    }
    _out += '}';
}
