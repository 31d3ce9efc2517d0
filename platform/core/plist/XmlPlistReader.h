#pragma once

#include "core/plist/PlistSizeBudget.h"
#include "core/plist/PlistValue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Reads an XML property list (the DOCTYPE'd <plist> documents apps write). Refuses
// malformed, truncated or too deeply nested documents, and those larger than the logical
// size bounds (PlistSizeBudget); never recurses without bound.
class XmlPlistReader {
  public:
    explicit XmlPlistReader(std::string_view text, PlistSizeBudget budget = {});

    std::optional<PlistValue> read();

  private:
    struct Tag {
        std::string_view name;
        bool isEnd = false;
        bool isEmpty = false;
    };

    PlistValue readDocument();
    PlistValue readValue(const Tag& tag, std::size_t depth);
    PlistValue readDictionary(std::size_t depth);
    PlistValue readArray(std::size_t depth);
    PlistValue readInteger(std::string_view text);
    PlistValue readReal(std::string_view text);
    bool readBoolean(const Tag& tag, bool value);
    std::string_view readCharacters(const Tag& tag);
    void appendCharacterData(std::string& out, std::string_view data);
    void appendReference(std::string& out);
    Tag readTag();
    void expectEndTag(std::string_view name);
    void skipMarkup();
    void skipPast(std::string_view terminator);
    void skipDoctype();
    void moveToMarkupEnd(bool nestedBrackets);
    bool startsWith(std::string_view prefix) const;
    void charge(std::size_t elements, std::size_t payloadBytes);
    [[noreturn]] void fail() const;

    std::string_view _text;
    std::size_t _position = 0;
    PlistSizeBudget _logicalSize;
    std::string _characters;  // decoded text of the element being read
};

}  // namespace core
