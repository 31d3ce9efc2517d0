#include "core/plist/XmlPlistReader.h"

#include "core/plist/PlistBase64.h"
#include "core/plist/PlistDateFormat.h"
#include "core/plist/PlistLimits.h"
#include "core/plist/PlistTextEncoding.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <vector>

namespace core {

namespace {

struct XmlPlistError {};

// What each byte is to the reader, looked up in one table in the loops over every byte.
enum ByteClass : std::uint8_t {
    kSpace = 1,
    kNameCharacter = 2,
    kEndsPlainText = 4,  // '<', '&', a carriage return or a byte of a multi-byte character
};

constexpr std::array<std::uint8_t, 256> kByteClasses = [] {
    std::array<std::uint8_t, 256> classes{};
    for (const char space : {' ', '\t', '\n', '\r'}) classes[static_cast<unsigned char>(space)] |= kSpace;
    for (int byte = 0; byte < 256; ++byte) {
        const bool name = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                          (byte >= '0' && byte <= '9') || byte == '_' || byte == ':' ||
                          byte == '-' || byte == '.';
        if (name) classes[byte] |= kNameCharacter;
        if (byte == '<' || byte == '&' || byte == '\r' || byte >= 0x80) classes[byte] |= kEndsPlainText;
    }
    return classes;
}();

bool is(char character, ByteClass byteClass) {
    return (kByteClasses[static_cast<unsigned char>(character)] & byteClass) != 0;
}

bool isSpace(char character) {
    return is(character, kSpace);
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowercase) {
    if (text.size() != lowercase.size()) return false;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char character = text[index];
        const char lowered = character >= 'A' && character <= 'Z'
                                 ? static_cast<char>(character - 'A' + 'a')
                                 : character;
        if (lowered != lowercase[index]) return false;
    }
    return true;
}

}  // namespace

XmlPlistReader::XmlPlistReader(std::string_view text, PlistSizeBudget budget)
    : _text(text), _logicalSize(budget) {}

std::optional<PlistValue> XmlPlistReader::read() {
    try {
        return readDocument();
    } catch (const XmlPlistError&) {
        return std::nullopt;
    }
}

void XmlPlistReader::fail() const {
    throw XmlPlistError{};
}

void XmlPlistReader::charge(std::size_t elements, std::size_t payloadBytes) {
    if (!_logicalSize.charge(elements, payloadBytes)) fail();
}

bool XmlPlistReader::startsWith(std::string_view prefix) const {
    return _text.size() - _position >= prefix.size() &&
           _text.compare(_position, prefix.size(), prefix) == 0;
}

PlistValue XmlPlistReader::readDocument() {
    if (startsWith("\xEF\xBB\xBF")) _position += 3;
    skipMarkup();
    Tag tag = readTag();
    const bool wrapped = tag.name == "plist" && !tag.isEnd;
    if (wrapped) {
        if (tag.isEmpty) fail();
        skipMarkup();
        tag = readTag();
    }
    PlistValue value = readValue(tag, 0);
    if (wrapped) {
        skipMarkup();
        expectEndTag("plist");
    }
    skipMarkup();
    if (_position != _text.size()) fail();
    return value;
}

// Skips whitespace, comments, processing instructions and the DOCTYPE between elements.
void XmlPlistReader::skipMarkup() {
    while (_position < _text.size()) {
        const char character = _text[_position];
        if (isSpace(character)) {
            ++_position;
            continue;
        }
        if (character != '<' || _position + 1 >= _text.size()) return;
        const char next = _text[_position + 1];
        if (next == '?')
            skipPast("?>");
        else if (next == '!' && startsWith("<!--"))
            skipPast("-->");
        else if (next == '!' && startsWith("<!DOCTYPE"))
            skipDoctype();
        else
            return;
    }
}

void XmlPlistReader::skipPast(std::string_view terminator) {
    const std::size_t end = _text.find(terminator, _position);
    if (end == std::string_view::npos) fail();
    _position = end + terminator.size();
}

// Moves to the '>' that ends the markup begun before _position, passing over quoted text and,
// with `nestedBrackets`, over a bracketed internal subset. Fails at the end of the text.
void XmlPlistReader::moveToMarkupEnd(bool nestedBrackets) {
    int bracketDepth = 0;
    char quote = 0;
    for (; _position < _text.size(); ++_position) {
        const char character = _text[_position];
        if (quote) {
            quote = character == quote ? 0 : quote;
        } else if (character == '"' || character == '\'') {
            quote = character;
        } else if (nestedBrackets && character == '[') {
            ++bracketDepth;
        } else if (nestedBrackets && character == ']') {
            --bracketDepth;
        } else if (character == '>' && bracketDepth <= 0) {
            return;
        }
    }
    fail();
}

// Skips the DOCTYPE. One whose internal subset declares entities is refused: entities are
// never expanded, so a document that depends on them cannot be read as its writer meant.
void XmlPlistReader::skipDoctype() {
    const std::size_t start = _position;
    moveToMarkupEnd(true);
    if (_text.substr(start, _position - start).find("<!ENTITY") != std::string_view::npos) fail();
    ++_position;
}

XmlPlistReader::Tag XmlPlistReader::readTag() {
    if (_position >= _text.size() || _text[_position] != '<') fail();
    ++_position;
    Tag tag;
    if (_position < _text.size() && _text[_position] == '/') {
        tag.isEnd = true;
        ++_position;
    }
    const std::size_t nameStart = _position;
    while (_position < _text.size() && is(_text[_position], kNameCharacter)) ++_position;
    tag.name = _text.substr(nameStart, _position - nameStart);
    if (tag.name.empty()) fail();
    if (_position < _text.size() && _text[_position] != '>') moveToMarkupEnd(false);
    if (_position >= _text.size()) fail();
    tag.isEmpty = _text[_position - 1] == '/';
    ++_position;
    if (tag.isEnd && tag.isEmpty) fail();
    return tag;
}

void XmlPlistReader::expectEndTag(std::string_view name) {
    const Tag tag = readTag();
    if (!tag.isEnd || tag.name != name) fail();
}

PlistValue XmlPlistReader::readValue(const Tag& tag, std::size_t depth) {
    if (tag.isEnd) fail();
    const std::string_view name = tag.name;
    const bool isContainer = name == "dict" || name == "array";
    if (isContainer && depth + 1 > kMaxPlistNestingDepth) fail();
    charge(1, 0);
    if (name == "dict")
        return tag.isEmpty ? PlistValue(PlistDictionary()) : readDictionary(depth + 1);
    if (name == "array") return tag.isEmpty ? PlistValue(PlistArray()) : readArray(depth + 1);
    if (name == "string") {
        const std::string_view text = readCharacters(tag);
        charge(0, text.size());
        return PlistValue(std::string(text));
    }
    if (name == "real") return readReal(trimmed(readCharacters(tag)));
    if (name == "integer") return readInteger(trimmed(readCharacters(tag)));
    if (name == "true" || name == "false") return PlistValue(readBoolean(tag, name == "true"));
    if (name == "date") {
        const auto seconds = PlistDateFormat::parse(trimmed(readCharacters(tag)));
        if (!seconds) fail();
        return PlistValue::date(*seconds);
    }
    if (name == "data") {
        auto bytes = PlistBase64::decode(readCharacters(tag));
        if (!bytes) fail();
        charge(0, bytes->size());
        return PlistValue::data(std::move(*bytes));
    }
    fail();
}

PlistValue XmlPlistReader::readDictionary(std::size_t depth) {
    std::vector<PlistDictionary::Entry> entries;
    for (;;) {
        skipMarkup();
        const Tag keyTag = readTag();
        if (keyTag.isEnd && keyTag.name == "dict")
            return PlistValue(PlistDictionary(std::move(entries)));
        if (keyTag.isEnd || keyTag.name != "key") fail();
        std::string key(readCharacters(keyTag));
        charge(1, key.size());
        skipMarkup();
        const Tag valueTag = readTag();
        entries.emplace_back(std::move(key), readValue(valueTag, depth));
    }
}

PlistValue XmlPlistReader::readArray(std::size_t depth) {
    PlistArray::Storage items;
    for (;;) {
        skipMarkup();
        const Tag tag = readTag();
        if (tag.isEnd && tag.name == "array") return PlistValue(PlistArray(std::move(items)));
        items.push_back(readValue(tag, depth));
    }
}

PlistValue XmlPlistReader::readInteger(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) fail();
    if (!negative) return PlistValue(magnitude);
    constexpr auto kLargestMagnitude =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
    if (magnitude > kLargestMagnitude) fail();
    return PlistValue(static_cast<std::int64_t>(0 - magnitude));
}

PlistValue XmlPlistReader::readReal(std::string_view text) {
    if (equalsIgnoringCase(text, "nan"))
        return PlistValue(std::numeric_limits<double>::quiet_NaN());
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    if (equalsIgnoringCase(text, "inf") || equalsIgnoringCase(text, "infinity"))
        return PlistValue(negative ? -std::numeric_limits<double>::infinity()
                                   : std::numeric_limits<double>::infinity());
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value != value)
        fail();
    return PlistValue(negative ? -value : value);
}

bool XmlPlistReader::readBoolean(const Tag& tag, bool value) {
    if (!trimmed(readCharacters(tag)).empty()) fail();
    return value;
}

// The character data of an element up to its end tag: entities and CDATA decoded, line
// ends normalised as XML requires, malformed UTF-8 replaced. Child elements are refused. Plain
// text (the usual case) is answered as a view of the document; other text is decoded into a
// buffer that the next call reuses.
std::string_view XmlPlistReader::readCharacters(const Tag& tag) {
    if (tag.isEmpty) return {};
    const std::size_t start = _position;
    std::size_t end = start;
    while (end < _text.size() && !is(_text[end], kEndsPlainText)) ++end;
    if (end + 1 < _text.size() && _text[end] == '<' && _text[end + 1] == '/') {
        _position = end;
        expectEndTag(tag.name);
        return _text.substr(start, end - start);
    }
    _position = start;
    _characters.clear();
    for (;;) {
        const std::size_t special = _text.find_first_of("<&", _position);
        if (special == std::string_view::npos) fail();
        appendCharacterData(_characters, _text.substr(_position, special - _position));
        _position = special;
        if (_text[_position] == '&') {
            appendReference(_characters);
        } else if (startsWith("<![CDATA[")) {
            const std::size_t cdataStart = _position + 9;
            skipPast("]]>");
            appendCharacterData(_characters,
                                _text.substr(cdataStart, _position - 3 - cdataStart));
        } else if (startsWith("<!--")) {
            skipPast("-->");
        } else {
            expectEndTag(tag.name);
            return _characters;
        }
    }
}

void XmlPlistReader::appendCharacterData(std::string& out, std::string_view data) {
    for (std::size_t carriageReturn = data.find('\r'); carriageReturn != std::string_view::npos;
         carriageReturn = data.find('\r')) {
        PlistTextEncoding::appendValidUtf8(out, data.substr(0, carriageReturn));
        out += '\n';
        const bool pairedWithNewline =
            carriageReturn + 1 < data.size() && data[carriageReturn + 1] == '\n';
        data.remove_prefix(carriageReturn + (pairedWithNewline ? 2 : 1));
    }
    PlistTextEncoding::appendValidUtf8(out, data);
}

void XmlPlistReader::appendReference(std::string& out) {
    const std::size_t end = _text.find(';', _position);
    if (end == std::string_view::npos || end - _position > 12) fail();
    const std::string_view name = _text.substr(_position + 1, end - _position - 1);
    _position = end + 1;
    if (name == "amp")
        out += '&';
    else if (name == "lt")
        out += '<';
    else if (name == "gt")
        out += '>';
    else if (name == "quot")
        out += '"';
    else if (name == "apos")
        out += '\'';
    else if (name.starts_with('#')) {
        const bool hex = name.starts_with("#x");
        const std::string_view digits = name.substr(hex ? 2 : 1);
        std::uint32_t codePoint = 0;
        const auto [digitsEnd, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), codePoint, hex ? 16 : 10);
        if (digits.empty() || error != std::errc() || digitsEnd != digits.data() + digits.size() ||
            codePoint == 0)
            fail();
        PlistTextEncoding::appendUtf8(out, codePoint);
    } else {
        fail();
    }
}

}  // namespace core
