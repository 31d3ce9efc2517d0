#pragma once

#include <map>
#include <string>
#include <string_view>

// Reads the phone's UTF-8 .strings format: `"key" = "value";` entries separated by white space and
// `/* ... */` or `// ...` comments, with \" \\ \n \t escapes in quoted text.
class StringsFile {
  public:
    // Answers the entries; throws std::runtime_error naming the line of the first fault (syntax
    // error, unterminated string or comment, duplicate key).
    static std::map<std::string, std::string> parse(std::string_view text);

    // Reads and parses a file; throws std::runtime_error when it cannot be read or parsed.
    static std::map<std::string, std::string> read(const std::string& path);
};
