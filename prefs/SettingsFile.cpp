#include "prefs/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <mutex>

#include "core/files/AtomicFile.h"
#include "core/files/RootedFiles.h"
#include "core/plist/PlistReader.h"
#include "core/process/HomeDirectory.h"
#include "rt/NoDestroy.h"
#include "settings/PreferenceFileEdit.h"

namespace morvane::prefs {

namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};

    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
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

std::optional<FileIdentity> identityOf(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

}  // namespace

std::string SettingsFile::devicePath() {
    char path[512];
    std::snprintf(path, sizeof path, "%s/Library/Preferences/%s", core::NSHomeDirectory().c_str(),
                  kFileName);
    return path;
}

std::optional<core::PlistDictionary> SettingsFile::read() {
    // Opened by the kernel within the device root; what is read and what is compared is the
    // one file opened, whatever is renamed into its place meanwhile.
    const auto files = core::RootedFiles::ofDeviceRoot();
    if (!files) return std::nullopt;
    const core::FileDescriptor file = files->open(devicePath(), O_RDONLY | O_NONBLOCK);
    if (!file.valid()) return std::nullopt;
    const auto identity = identityOf(file.get());
    if (!identity) return std::nullopt;
    auto& parsed = parsedFile();
    std::lock_guard lock(parsed.mutex);
    if (parsed.identity && *parsed.identity == *identity) return parsed.values;
    parsed.values.reset();
    if (const auto bytes = core::readWholeDescriptor(file.get())) {
        if (const auto value = core::parsePropertyList(*bytes); value && value->asDictionary())
            parsed.values = *value->asDictionary();
    }
    // A file written in place while it was read is read again next time.
    parsed.identity = identityOf(file.get()) == identity ? identity : std::nullopt;
    return parsed.values;
}

core::PreferenceFileUpdate::Result SettingsFile::setValue(const std::string& key,
                                                          const core::PlistValue& value) {
    if (const auto values = read()) {
        if (const core::PlistValue* held = values->find(key); held && *held == value) {
            core::PreferenceFileUpdate::Result unchanged;
            unchanged.outcome = core::PreferenceFileUpdate::Outcome::Written;
            unchanged.values = *values;
            return unchanged;
        }
    }
    return settings::setValueInPreferenceFile(devicePath(), key, value);
}

}  // namespace morvane::prefs
