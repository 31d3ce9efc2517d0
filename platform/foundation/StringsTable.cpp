#include "foundation/StringsTable.h"

#include <fstream>
#include <iterator>

#include "core/plist/PlistReader.h"
#include "core/plist/PlistTextEncoding.h"

namespace ui {

namespace {


// Converts UTF-16 with a byte-order mark to UTF-8; other text is taken as UTF-8 (a UTF-8
// byte-order mark is dropped).
std::string toUtf8(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 &&
        ((byte(0) == 0xFE && byte(1) == 0xFF) || (byte(0) == 0xFF && byte(1) == 0xFE))) {
        const bool littleEndian = byte(0) == 0xFF;
        std::string bigEndian;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            bigEndian += littleEndian ? bytes[i + 1] : bytes[i];
            bigEndian += littleEndian ? bytes[i] : bytes[i + 1];
        }
        return core::PlistTextEncoding::fromUtf16BigEndian(
            reinterpret_cast<const std::uint8_t*>(bigEndian.data()), bigEndian.size() / 2);
    }
    if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF)
        bytes.remove_prefix(3);
    std::string text;
    core::PlistTextEncoding::appendValidUtf8(text, bytes);
    return text;
}

// The text form of a strings table.
class TextParser {
  public:
    explicit TextParser(std::string_view text) : _text(text) {}

    std::optional<std::map<std::string, std::string, std::less<>>> parse() {
        std::map<std::string, std::string, std::less<>> entries;
        for (skipSpaceAndComments(); _position < _text.size(); skipSpaceAndComments()) {
            auto key = readToken();
            if (!key) return std::nullopt;
            skipSpaceAndComments();
            std::string value = *key;  // "key"; alone stands for "key" = "key";
            if (accept('=')) {
                skipSpaceAndComments();
                auto read = readToken();
                if (!read) return std::nullopt;
                value = std::move(*read);
                skipSpaceAndComments();
            }
            if (!accept(';')) return std::nullopt;
            entries[std::move(*key)] = std::move(value);
        }
        return entries;
    }

  private:
    bool accept(char c) {
        if (_position >= _text.size() || _text[_position] != c) return false;
        ++_position;
        return true;
    }

    void skipSpaceAndComments() {
        while (_position < _text.size()) {
            const char c = _text[_position];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                ++_position;
            } else if (_text.compare(_position, 2, "/*") == 0) {
                const std::size_t end = _text.find("*/", _position + 2);
                _position = end == std::string_view::npos ? _text.size() : end + 2;
            } else if (_text.compare(_position, 2, "//") == 0) {
                const std::size_t end = _text.find('\n', _position);
                _position = end == std::string_view::npos ? _text.size() : end + 1;
            } else {
                return;
            }
        }
    }

    std::optional<std::string> readToken() {
        if (accept('"')) return readQuoted();
        const std::size_t start = _position;
        while (_position < _text.size() && isUnquotedCharacter(_text[_position])) ++_position;
        if (start == _position) return std::nullopt;
        return std::string(_text.substr(start, _position - start));
    }

    static bool isUnquotedCharacter(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '.' || c == '$' || c == ':' || c == '/' || c == '-';
    }

    std::optional<std::string> readQuoted() {
        std::string out;
        while (_position < _text.size()) {
            const char c = _text[_position++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (_position >= _text.size()) return std::nullopt;
            if (!readEscape(out)) return std::nullopt;
        }
        return std::nullopt;  // unterminated
    }

    bool readEscape(std::string& out) {
        const char c = _text[_position++];
        switch (c) {
            case 'n':
                out += '\n';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'r':
                out += '\r';
                return true;
            case '0':
                out += '\0';
                return true;
            case 'U':
            case 'u':
                return readUnicodeEscape(out);
            default:
                out += c;
                return true;  // \" \\ \' and any other character as itself
        }
    }

    bool readUnicodeEscape(std::string& out) {
        char32_t codePoint = 0;
        for (int i = 0; i < 4; ++i) {
            if (_position >= _text.size()) return false;
            const char h = _text[_position++];
            int digit = -1;
            if (h >= '0' && h <= '9') digit = h - '0';
            if (h >= 'a' && h <= 'f') digit = h - 'a' + 10;
            if (h >= 'A' && h <= 'F') digit = h - 'A' + 10;
            if (digit < 0) return false;
            codePoint = codePoint * 16 + static_cast<char32_t>(digit);
        }
        core::PlistTextEncoding::appendUtf8(out, codePoint);
        return true;
    }

    std::string_view _text;
    std::size_t _position = 0;
};

}  // namespace

std::optional<StringsTable> StringsTable::parse(std::string_view bytes) {
    StringsTable table;
    if (bytes.rfind("bplist", 0) == 0 || bytes.find("<plist") != std::string_view::npos) {
        const auto dictionary = core::parsePropertyList(bytes);
        if (!dictionary || !dictionary->asDictionary()) return std::nullopt;
        for (const auto& [key, value] : *dictionary->asDictionary()) {
            if (const std::string* text = value.asString()) table._entries[key] = *text;
        }
        return table;
    }
    auto entries = TextParser(toUtf8(bytes)).parse();
    if (!entries) return std::nullopt;
    table._entries = std::move(*entries);
    return table;
}

std::optional<StringsTable> StringsTable::readFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaximumFileSize) return std::nullopt;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(stream)),
                            std::istreambuf_iterator<char>());
    return parse(bytes);
}

const std::string* StringsTable::find(std::string_view key) const {
    auto found = _entries.find(key);
    return found == _entries.end() ? nullptr : &found->second;
}

}  // namespace ui
