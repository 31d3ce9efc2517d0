#include "ScriptLine.h"

#include <cstdio>
#include <sstream>

#include "ScriptError.h"

namespace {

// The length of the well-formed UTF-8 sequence at `at` (1 to 4), or 0 when the bytes there
// are not one: a stray continuation byte, a truncated sequence, an overlong form, a
// surrogate or a code point past U+10FFFF.
std::size_t utf8SequenceAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t index) {
        return index < text.size() ? static_cast<unsigned char>(text[index]) : 0u;
    };
    const unsigned lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t index = 2; index < length; ++index) {
        if (byte(at + index) < 0x80 || byte(at + index) > 0xBF) return 0;
    }
    return length;
}

bool isValidUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8SequenceAt(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

}  // namespace

ScriptLine ScriptLine::parse(int number, const std::string& text) {
    ScriptLine line{number, text, {}};
    const std::string command = text.substr(0, text.find('#'));
    std::istringstream words(command);
    for (std::string word; words >> word;) line.words.push_back(word);
    return line;
}

void ScriptLine::requireCleanWords() const {
    for (std::size_t index = 0; index < words.size(); ++index) {
        const std::string which = "word " + std::to_string(index + 1);
        if (words[index].find('\0') != std::string::npos)
            throw ScriptError(which + " holds a NUL byte");
        if (!isValidUtf8(words[index])) throw ScriptError(which + " is not valid UTF-8");
    }
}

std::string ScriptLine::rest(std::size_t skip) const {
    const std::string command = text.substr(0, text.find('#'));
    std::size_t at = 0;
    for (std::size_t word = 0; word < skip; ++word) {
        at = command.find_first_not_of(" \t", at);
        at = command.find_first_of(" \t", at);
        if (at == std::string::npos) return "";
    }
    at = command.find_first_not_of(" \t", at);
    if (at == std::string::npos) return "";
    const std::size_t end = command.find_last_not_of(" \t\r");
    return command.substr(at, end - at + 1);
}

std::string ScriptLine::printableText() const {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = utf8SequenceAt(text, at);
        if (length == 0 || (byte < 0x20 && byte != '\t') || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
            ++at;
        } else {
            shown.append(text, at, length);
            at += length;
        }
    }
    return shown;
}
