#include "resources/StringsFile.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

class StringsParser {
  public:
    explicit StringsParser(std::string_view text) : _text(text) {
        constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
        if (_text.starts_with(kByteOrderMark)) _position = kByteOrderMark.size();
    }

    std::map<std::string, std::string> entries() {
        std::map<std::string, std::string> result;
        while (skipSpaceAndComments()) {
            const int keyLine = _line;
            std::string key = quoted();
            expect('=');
            std::string value = quoted();
            expect(';');
            if (!result.emplace(std::move(key), std::move(value)).second)
                fail("duplicate key", keyLine);
        }
        return result;
    }

  private:
    [[noreturn]] void fail(const std::string& what, int line = 0) const {
        throw std::runtime_error("line " + std::to_string(line ? line : _line) + ": " + what);
    }

    bool atEnd() const { return _position >= _text.size(); }
    char peek() const { return _text[_position]; }
    char advance() {
        const char c = _text[_position++];
        if (c == '\n') ++_line;
        return c;
    }

    // Skips white space and comments; answers whether anything is left.
    bool skipSpaceAndComments() {
        while (!atEnd()) {
            const std::string_view rest = _text.substr(_position);
            if (rest.starts_with("/*")) {
                const std::size_t end = rest.find("*/", 2);
                if (end == std::string_view::npos) fail("unterminated comment");
                const std::size_t stop = _position + end + 2;
                while (_position < stop) advance();
            } else if (rest.starts_with("//")) {
                while (!atEnd() && peek() != '\n') advance();
            } else if (peek() == ' ' || peek() == '\t' || peek() == '\r' || peek() == '\n') {
                advance();
            } else {
                return true;
            }
        }
        return false;
    }

    void expect(char wanted) {
        if (!skipSpaceAndComments() || peek() != wanted)
            fail(std::string("expected '") + wanted + "'");
        advance();
    }

    std::string quoted() {
        if (!skipSpaceAndComments() || peek() != '"') fail("expected a quoted string");
        advance();
        std::string result;
        while (true) {
            if (atEnd()) fail("unterminated string");
            const char c = advance();
            if (c == '"') return result;
            if (c != '\\') {
                result += c;
                continue;
            }
            if (atEnd()) fail("unterminated string");
            switch (const char escaped = advance()) {
                case '"':
                case '\\':
                case '\'':
                    result += escaped;
                    break;
                case 'n':
                    result += '\n';
                    break;
                case 't':
                    result += '\t';
                    break;
                default:
                    fail(std::string("unknown escape \\") + escaped);
            }
        }
    }

    std::string_view _text;
    std::size_t _position = 0;
    int _line = 1;
};

}  // namespace

std::map<std::string, std::string> StringsFile::parse(std::string_view text) {
    return StringsParser(text).entries();
}

std::map<std::string, std::string> StringsFile::read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path);
    std::ostringstream contents;
    contents << file.rdbuf();
    try {
        return parse(contents.str());
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
}
