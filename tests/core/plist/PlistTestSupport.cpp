#include "PlistTestSupport.h"

#include <sys/wait.h>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace plisttest {

TempDirectory::TempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plist-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    _path = pattern;
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(_path, ignored);
}

std::vector<std::string> TempDirectory::entryNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(_path))
        names.push_back(entry.path().filename().string());
    return names;
}

void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

std::optional<std::string> runCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        output.append(buffer, count);
    const int status = ::pclose(pipe.release());
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return output;
}

bool commandExists(const std::string& name) {
    return runCommand("command -v " + name + " >/dev/null 2>&1").has_value();
}

namespace {

std::string hexOf(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char byte : bytes) {
        hex += kDigits[static_cast<unsigned char>(byte) >> 4];
        hex += kDigits[static_cast<unsigned char>(byte) & 0xF];
    }
    return hex;
}

}  // namespace

std::string canonicalDump(const core::PlistValue& value) {
    char text[64];
    switch (value.kind()) {
        case core::PlistKind::Boolean:
            return *value.asBool() ? "true" : "false";
        case core::PlistKind::Integer:
            return value.isLargeUnsignedInteger() ? std::to_string(*value.asUnsignedInteger())
                                                  : std::to_string(*value.asInteger());
        case core::PlistKind::Real: {
            const double real = *value.asReal();
            if (std::isnan(real)) return "r:nan";
            std::snprintf(text, sizeof text, "r:%016llx",
                          static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(real)));
            return text;
        }
        case core::PlistKind::String:
            return "s:" + hexOf(*value.asString());
        case core::PlistKind::Data:
            return "d:" +
                   hexOf(std::string_view(reinterpret_cast<const char*>(value.asData()->data()),
                                          value.asData()->size()));
        case core::PlistKind::Date:
            return "t:" + std::to_string(static_cast<long long>(std::floor(*value.asDate())));
        case core::PlistKind::Array: {
            std::string out = "[";
            for (const auto& item : *value.asArray()) out += canonicalDump(item) + ",";
            return out + "]";
        }
        case core::PlistKind::Dictionary: {
            std::string out = "{";
            for (const auto& [key, item] : *value.asDictionary())
                out += "s:" + hexOf(key) + "=" + canonicalDump(item) + ",";
            return out + "}";
        }
    }
    return {};
}

const char* const kPythonDumpFunction = R"PY(
import datetime, math, plistlib, struct, sys
def dump(v):
    if isinstance(v, bool): return "true" if v else "false"
    if isinstance(v, int): return str(v)
    if isinstance(v, float): return "r:nan" if math.isnan(v) else "r:" + struct.pack(">d", v).hex()
    if isinstance(v, str): return "s:" + v.encode("utf-8").hex()
    if isinstance(v, bytes): return "d:" + v.hex()
    if isinstance(v, datetime.datetime):
        return "t:%d" % math.floor((v - datetime.datetime(2001, 1, 1)).total_seconds())
    if isinstance(v, list): return "[" + "".join(dump(i) + "," for i in v) + "]"
    if isinstance(v, dict):
        keys = sorted(v, key=lambda k: k.encode("utf-8"))
        return "{" + "".join("s:" + k.encode("utf-8").hex() + "=" + dump(v[k]) + "," for k in keys) + "}"
    raise TypeError(type(v))
)PY";

std::string binaryPlistOf(const std::vector<std::string>& objects, int referenceSize) {
    std::string file = "bplist00";
    std::vector<std::size_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(file.size());
        file += object;
    }
    const std::size_t offsetTable = file.size();
    const auto appendBigEndian = [&file](std::uint64_t word, int width) {
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
            file += static_cast<char>((word >> shift) & 0xFF);
    };
    const auto appendWord = [&](std::uint64_t word) { appendBigEndian(word, 8); };
    for (const std::size_t offset : offsets) appendBigEndian(offset, 4);
    file.append(6, '\0');
    file += '\x04';
    file += static_cast<char>(referenceSize);
    appendWord(objects.size());
    appendWord(0);
    appendWord(offsetTable);
    return file;
}

std::string bytesOf(std::initializer_list<int> bytes) {
    std::string out;
    for (const int byte : bytes) out += static_cast<char>(byte);
    return out;
}

}  // namespace plisttest
