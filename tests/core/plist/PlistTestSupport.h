#pragma once

#include "core/plist/PlistValue.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plisttest {

// A fresh directory under the system temporary directory, removed with its contents.
class TempDirectory {
  public:
    TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory();

    const std::filesystem::path& path() const { return _path; }
    std::filesystem::path operator/(std::string_view name) const { return _path / name; }
    std::vector<std::string> entryNames() const;

  private:
    std::filesystem::path _path;
};

void writeBytes(const std::filesystem::path& path, std::string_view bytes);
std::string readBytes(const std::filesystem::path& path);

// Runs a shell command, answering its standard output, or none when it exits non-zero.
std::optional<std::string> runCommand(const std::string& command);
bool commandExists(const std::string& name);

// A canonical, exact text form of a value (reals and strings as hex bytes), the same one
// kPythonDumpFunction prints for plistlib's values.
std::string canonicalDump(const core::PlistValue& value);
extern const char* const kPythonDumpFunction;

// A "bplist00" file made of the given encoded objects (object 0 is the top), whose
// references (inside the objects) are referenceSize bytes wide; offsets are 4 bytes.
std::string binaryPlistOf(const std::vector<std::string>& objects, int referenceSize = 1);
std::string bytesOf(std::initializer_list<int> bytes);

}  // namespace plisttest
