#include "PlistFiles.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/files/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

std::string reasonFromErrno(const char* fallback) {
    return errno != 0 ? std::strerror(errno) : fallback;
}

}  // namespace

std::optional<PlistFiles> PlistFiles::ofDeviceRoot() {
    auto root = core::RootedFiles::ofDeviceRoot();
    if (!root) return std::nullopt;
    return PlistFiles(std::move(*root));
}

PlistFiles::Read PlistFiles::read(const std::string& path) const {
    Read read;
    errno = 0;
    if (_root && !path.starts_with('/')) {
        read.problem = "not an absolute device path";
        return read;
    }
    read.bytes = _root ? _root->readFile(path) : core::readWholeFile(path);
    if (!read.bytes) read.problem = reasonFromErrno("not a regular file, or too large");
    return read;
}

PlistFiles::Place PlistFiles::placeOf(const std::string& path) const {
    Place place;
    if (_root) {
        const auto where = core::RootedFiles::split(path);
        if (!where) {
            place.problem = "not an absolute device path of a file";
            return place;
        }
        place.name = where->second;
        place.directory = _root->openDirectory(where->first);
    } else {
        const fs::path given(path);
        place.name = given.filename().string();
        const fs::path parent = given.has_parent_path() ? given.parent_path() : fs::path(".");
        core::FileDescriptor opened(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (opened.valid()) place.directory.emplace(std::move(opened));
    }
    if (!core::DeviceDirectory::isEntryName(place.name)) {
        place.directory.reset();
        place.problem = "does not name a file";
    } else if (!place.directory) {
        place.problem = "its folder cannot be opened: " + reasonFromErrno("unknown error");
    }
    return place;
}

// Why the target of a write is refused; empty when it is missing or a regular file.
std::string PlistFiles::refusedTarget(const Place& place, const std::string& path) {
    using Kind = core::DeviceDirectory::EntryKind;
    switch (place.directory->kindOf(place.name)) {
        case Kind::Missing:
        case Kind::File:
            return {};
        case Kind::Link:
            return path + " is a symbolic link; it is not replaced";
        default:
            return path + " is not a regular file; it is not replaced";
    }
}

std::string PlistFiles::write(const std::string& path, std::string_view bytes) const {
    errno = 0;
    const Place place = placeOf(path);
    if (!place.directory) return path + ": " + place.problem;
    if (std::string refused = refusedTarget(place, path); !refused.empty()) return refused;
    place.directory->removeStaleTemporaries(place.name);
    if (!place.directory->replaceFile(place.name, bytes))
        return "could not write " + path + ": " + reasonFromErrno("unknown error");
    return {};
}

bool PlistFiles::isPreferenceFile(const std::string& path) {
    std::error_code error;
    const fs::path given = fs::absolute(path, error).lexically_normal();
    const fs::path folder = given.parent_path();
    return given.extension() == ".plist" && folder.filename() == "Preferences" &&
           folder.parent_path().filename() == "Library";
}

core::PreferenceFileUpdate::Result PlistFiles::updatePreferences(
    const std::string& path, const core::PreferenceFileUpdate::Change& change,
    core::PlistFormat format) const {
    using Outcome = core::PreferenceFileUpdate::Outcome;
    core::PreferenceFileUpdate::Result refused;
    refused.outcome = Outcome::NoPlace;
    errno = 0;
    const Place place = placeOf(path);
    if (!place.directory) {
        refused.message = path + ": " + place.problem;
        return refused;
    }
    refused.message = refusedTarget(place, path);
    if (!refused.message.empty()) return refused;
    return core::PreferenceFileUpdate::apply(*place.directory, place.name, path, change, format);
}
