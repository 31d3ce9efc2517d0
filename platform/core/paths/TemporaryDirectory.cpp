#include "core/paths/TemporaryDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace core {

TemporaryDirectory::TemporaryDirectory(std::string_view prefix) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) throw std::runtime_error("no temporary directory: " + error.message());
    std::string pattern = (base / (std::string(prefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("could not make a directory in " + base.string() + ": " +
                                 std::strerror(errno));
    _path = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    if (!_keep) std::filesystem::remove_all(_path, ignored);
}

}  // namespace core
