#pragma once

#include <cstdint>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// A localized strings table (a ".strings" file): keys to texts. The file is either the
// text form ("key" = "value"; with /* */ and // comments and backslash escapes, in UTF-8
// or in UTF-16 with a byte-order mark) or a property list whose top level is a dictionary
// of strings (XML or binary).
class StringsTable {
  public:
    // None when the text does not parse; a table never holds half of a corrupt file.
    // Largest strings file read; larger ones are no table.
    static constexpr std::uintmax_t kMaximumFileSize = 16u * 1024 * 1024;

    static std::optional<StringsTable> parse(std::string_view bytes);
    // None for a missing, unreadable or corrupt file.
    static std::optional<StringsTable> readFile(const std::filesystem::path& path);

    const std::string* find(std::string_view key) const;
    std::size_t size() const { return _entries.size(); }

  private:
    std::map<std::string, std::string, std::less<>> _entries;
};

}  // namespace ui
