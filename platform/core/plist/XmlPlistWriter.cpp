#include "core/plist/XmlPlistWriter.h"

#include "core/plist/PlistBase64.h"
#include "core/plist/PlistDateFormat.h"
#include "core/plist/PlistLimits.h"
#include "core/plist/PlistTextEncoding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>
#include <stdexcept>

namespace core {

namespace {

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";
constexpr std::string_view kFooter = "</plist>\n";
// Base64 lines are at most 76 columns wide, tabs counting 8, and never narrower than 16.
constexpr std::size_t kDataLineColumns = 76;
constexpr std::size_t kMinimumDataLineColumns = 16;
constexpr std::size_t kTabColumns = 8;

}  // namespace

std::string XmlPlistWriter::write(const PlistValue& value, std::size_t maxSize) {
    return writeDocument(value, false, maxSize);
}

std::string XmlPlistWriter::writeExactly(const PlistValue& value, std::size_t maxSize) {
    return writeDocument(value, true, maxSize);
}

std::string XmlPlistWriter::writeDocument(const PlistValue& value, bool exact,
                                          std::size_t maxSize) {
    try {
        XmlPlistWriter writer(exact, maxSize);
        writer._out.append(kHeader);
        if (!writer.writeValue(value, 0)) return {};
        writer._out.append(kFooter);
        if (writer._out.size() > maxSize) return {};
        return std::move(writer._out);
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const std::length_error&) {
        return {};
    }
}

void XmlPlistWriter::writeIndent(std::size_t level) {
    _out.append(level, '\t');
}

bool XmlPlistWriter::writeValue(const PlistValue& value, std::size_t level) {
    if (_out.size() > _maxSize) return false;  // a file no reader would take
    switch (value.kind()) {
        case PlistKind::Dictionary:
            return writeDictionary(*value.asDictionary(), level);
        case PlistKind::Array:
            return writeArray(*value.asArray(), level);
        case PlistKind::Data:
            writeData(*value.asData(), level);
            return true;
        default:
            break;
    }
    writeIndent(level);
    bool written = true;
    switch (value.kind()) {
        case PlistKind::Boolean:
            _out.append(*value.asBool() ? "<true/>" : "<false/>");
            break;
        case PlistKind::Integer:
            _out.append("<integer>");
            _out.append(value.isLargeUnsignedInteger() ? std::to_string(*value.asUnsignedInteger())
                                                       : std::to_string(*value.asInteger()));
            _out.append("</integer>");
            break;
        case PlistKind::Real:
            _out.append("<real>");
            writeReal(*value.asReal());
            _out.append("</real>");
            break;
        case PlistKind::String:
            _out.append("<string>");
            written = writeEscaped(*value.asString());
            _out.append("</string>");
            break;
        case PlistKind::Date: {
            const std::string text = PlistDateFormat::format(*value.asDate());
            _out.append("<date>");
            _out.append(text);
            _out.append("</date>");
            written = !_exact || PlistDateFormat::parse(text) == value.asDate();
            break;
        }
        default:
            break;
    }
    _out += '\n';
    return written;
}

bool XmlPlistWriter::writeDictionary(const PlistDictionary& dictionary, std::size_t level) {
    if (level + 1 > kMaxPlistNestingDepth) return false;
    writeIndent(level);
    if (dictionary.empty()) {
        _out.append("<dict/>\n");
        return true;
    }
    _out.append("<dict>\n");
    for (const auto& [key, value] : dictionary) {
        writeIndent(level + 1);
        _out.append("<key>");
        if (!writeEscaped(key)) return false;
        _out.append("</key>\n");
        if (!writeValue(value, level + 1)) return false;
    }
    writeIndent(level);
    _out.append("</dict>\n");
    return true;
}

bool XmlPlistWriter::writeArray(const PlistArray& array, std::size_t level) {
    if (level + 1 > kMaxPlistNestingDepth) return false;
    writeIndent(level);
    if (array.empty()) {
        _out.append("<array/>\n");
        return true;
    }
    _out.append("<array>\n");
    for (const PlistValue& item : array) {
        if (!writeValue(item, level + 1)) return false;
    }
    writeIndent(level);
    _out.append("</array>\n");
    return true;
}

// The shortest text that reads back as the same double; non-finite values as the phone
// spells them.
void XmlPlistWriter::writeReal(double value) {
    if (std::isnan(value)) {
        _out.append("nan");
    } else if (std::isinf(value)) {
        _out.append(value > 0 ? "+infinity" : "-infinity");
    } else {
        char text[32];
        const auto result = std::to_chars(text, text + sizeof text, value);
        _out.append(text, result.ptr);
    }
}

void XmlPlistWriter::writeData(const PlistBytes& bytes, std::size_t level) {
    writeIndent(level);
    _out.append("<data>\n");
    const std::size_t columns =
        std::max(kMinimumDataLineColumns,
                 kDataLineColumns - std::min(kDataLineColumns, level * kTabColumns));
    const std::size_t bytesPerLine = columns / 4 * 3;
    for (std::size_t start = 0; start < bytes.size(); start += bytesPerLine) {
        writeIndent(level);
        PlistBase64::append(_out, bytes.data() + start,
                            std::min(bytesPerLine, bytes.size() - start));
        _out += '\n';
    }
    writeIndent(level);
    _out.append("</data>\n");
}

// Escapes &, < and >; a carriage return is written as a character reference so that XML
// line-end normalisation keeps it. Malformed UTF-8 is written as U+FFFD.
bool XmlPlistWriter::writeEscaped(std::string_view text) {
    for (std::size_t position = 0; position < text.size();) {
        const char character = text[position];
        const auto byte = static_cast<unsigned char>(character);
        if (byte >= 0x80) {
            PlistTextEncoding::appendUtf8(_out, PlistTextEncoding::decodeUtf8(text, position));
            continue;
        }
        ++position;
        if (character == '&')
            _out.append("&amp;");
        else if (character == '<')
            _out.append("&lt;");
        else if (character == '>')
            _out.append("&gt;");
        else if (character == '\r')
            _out.append("&#13;");
        else if (byte < 0x20 && character != '\t' && character != '\n')
            return false;
        else
            _out += character;
    }
    return true;
}

}  // namespace core
