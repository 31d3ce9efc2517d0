#include "core/preferences/PreferenceFileUpdate.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "core/files/FileLock.h"
#include "core/files/RootedFiles.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"
#include "core/preferences/PreferenceFileCache.h"

namespace core {

namespace {

using Outcome = PreferenceFileUpdate::Outcome;
using Result = PreferenceFileUpdate::Result;

Result failure(Outcome outcome, std::string message) {
    Result result;
    result.outcome = outcome;
    result.message = std::move(message);
    return result;
}

std::string unreadableName(const std::string& name, int attempt) {
    return name + ".unreadable" + (attempt > 1 ? "-" + std::to_string(attempt) : "");
}

// Renames the unreadable file to the first free "<name>.unreadable[-N]"; the rename never
// replaces anything, so no earlier copy is lost. Answers the new name, or none.
std::optional<std::string> keepAside(const DeviceDirectory& directory, const std::string& name) {
    for (int attempt = 1; attempt <= PreferenceFileUpdate::kMostUnreadableCopies; ++attempt) {
        const std::string aside = unreadableName(name, attempt);
        if (directory.rename(name, aside, false)) return aside;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

// The dictionary of a property list. The parsed value is gone on return, so the dictionary's
// storage has one owner and a change is made in place, never on a copy of every entry.
std::optional<PlistDictionary> parseDictionary(std::string_view bytes) {
    const std::optional<PlistValue> value = parsePropertyList(bytes);
    if (!value || !value->asDictionary()) return std::nullopt;
    return *value->asDictionary();
}

std::string tooLargeMessage(const std::string& devicePath, std::size_t size, const char* verb) {
    return devicePath + " was not written: it " + verb + " " + std::to_string(size) +
           " bytes, more than the " + std::to_string(PreferenceFileCache::kMaxFileSize >> 20) +
           " MiB a preferences file may hold";
}

// The file's dictionary as it is now on disk: empty when there is no file; the file kept
// aside (and an empty dictionary) when it cannot be read; none, with `result` telling why,
// when it could not be kept aside or is larger than a preferences file may be (left whole,
// not even parsed).
std::optional<PlistDictionary> readCurrent(const DeviceDirectory& directory,
                                           const std::string& devicePath, const std::string& name,
                                           Result& result) {
    const DeviceDirectory::FileRead read = directory.readFile(name);
    if (!read.exists) return PlistDictionary{};
    if (read.bytes && read.bytes->size() > PreferenceFileCache::kMaxFileSize) {
        result = failure(Outcome::TooLarge, tooLargeMessage(devicePath, read.bytes->size(), "is"));
        return std::nullopt;
    }
    if (read.bytes) {
        if (auto dictionary = parseDictionary(*read.bytes)) return dictionary;
    }
    if (auto aside = keepAside(directory, name)) {
        result.keptAsideAs = std::move(*aside);
        result.message = devicePath + " could not be read; kept as " + result.keptAsideAs;
        return PlistDictionary{};
    }
    result = failure(Outcome::NotKeptAside, devicePath +
                                                " exists but cannot be read, and it could not be "
                                                "renamed aside (" +
                                                std::strerror(errno) + "); nothing was written");
    return std::nullopt;
}

// The preferred form, or the binary one when XML cannot carry what was read (control
// characters, fractions of a second), so a file that reads can always be written back.
std::string encode(const PlistDictionary& values, PlistFormat format) {
    return encodePropertyList(PlistValue(values), format).bytes;
}

}  // namespace

std::chrono::milliseconds PreferenceFileUpdate::lockWait() {
    const char* configured = std::getenv(kLockWaitVariable);
    if (!configured || !*configured) return kDefaultLockWait;
    char* end = nullptr;
    const long milliseconds = std::strtol(configured, &end, 10);
    if (*end != '\0' || milliseconds < 0) return kDefaultLockWait;
    return std::chrono::milliseconds(milliseconds);
}

PreferenceFileUpdate::Result PreferenceFileUpdate::apply(std::string_view devicePath,
                                                         const Change& change, PlistFormat format) {
    const std::string path(devicePath);
    const auto where = RootedFiles::split(devicePath);
    const auto files = RootedFiles::ofDeviceRoot();
    const auto directory = where && files ? files->createDirectories(where->first) : std::nullopt;
    if (!directory) return failure(Outcome::NoPlace, "the device root has no place for " + path);
    return apply(*directory, where->second, path, change, format);
}

PreferenceFileUpdate::Result PreferenceFileUpdate::apply(const DeviceDirectory& directory,
                                                         const std::string& name,
                                                         const std::string& path,
                                                         const Change& change, PlistFormat format) {
    const auto lock = FileLock::acquire(directory, name + ".lock", lockWait());
    if (!lock && errno == EWOULDBLOCK)
        return failure(Outcome::LockTimeout,
                       "another process held the lock of " + path + " for longer than " +
                           std::to_string(lockWait().count()) + " ms; nothing was written");
    if (!lock)
        return failure(Outcome::NoPlace,
                       "cannot open the lock file of " + path + ": " + std::strerror(errno));

    Result result;
    std::optional<PlistDictionary> values = readCurrent(directory, path, name, result);
    if (!values) return result;
    std::string bytes;
    try {
        change(*values);
        bytes = encode(*values, format);
    } catch (const std::exception& error) {
        return failure(Outcome::CannotEncode, path + " was not written: " + error.what());
    }
    if (bytes.empty())
        return failure(Outcome::CannotEncode,
                       path + " was not written: its values cannot be written in this format");
    if (bytes.size() > PreferenceFileCache::kMaxFileSize)
        return failure(Outcome::TooLarge, tooLargeMessage(path, bytes.size(), "would be"));
    directory.removeStaleTemporaries(name);
    if (!directory.replaceFile(name, bytes))
        return failure(Outcome::WriteFailed,
                       "could not write " + path + ": " + std::strerror(errno));
    result.outcome = Outcome::Written;
    result.values = std::move(*values);
    return result;
}

}  // namespace core
