#include "prefs/SettingsFile.h"

#include <sys/stat.h>

#include <cstdio>
#include <mutex>

#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/process/HomeDirectory.h"
#include "rt/NoDestroy.h"
#include "settings/PreferenceFileEdit.h"

namespace morvane::prefs {

namespace {

struct FileIdentity {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};

    bool operator==(const FileIdentity& other) const {
        return path == other.path && device == other.device && inode == other.inode &&
               size == other.size && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

struct ParsedFile {
    std::mutex mutex;
    std::optional<FileIdentity> identity;
    std::optional<core::PlistDictionary> values;
};

ParsedFile& parsedFile() {
    static rt::NoDestroy<ParsedFile> parsed;
    return *parsed;
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{path, status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

}  // namespace

std::string SettingsFile::devicePath() {
    char path[512];
    std::snprintf(path, sizeof path, "%s/Library/Preferences/%s", core::NSHomeDirectory().c_str(),
                  kFileName);
    return path;
}

std::optional<core::PlistDictionary> SettingsFile::read() {
    const auto mapped = core::DeviceRoot::map(devicePath());
    if (!mapped) return std::nullopt;
    const auto identity = identityOf(mapped->string());
    if (!identity) return std::nullopt;
    auto& parsed = parsedFile();
    std::lock_guard lock(parsed.mutex);
    if (parsed.identity && *parsed.identity == *identity) return parsed.values;
    parsed.values = core::dictionaryWithContentsOfFile(*mapped);
    // A file changed while it was read is read again next time.
    parsed.identity = identityOf(mapped->string()) == identity ? identity : std::nullopt;
    return parsed.values;
}

bool SettingsFile::setValue(const std::string& key, const core::PlistValue& value) {
    return settings::setValueInPreferenceFile(devicePath(), key, value);
}

}  // namespace morvane::prefs
