#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/files/DeviceDirectory.h"
#include "core/plist/PlistDictionary.h"
#include "core/plist/PlistFormat.h"

namespace core {

// The one rule every writer of a preference file follows, whatever the process: take the
// file's lock ("<file>.lock" beside it, shared by every process), read the file again, keep
// it aside when it exists but cannot be read, apply the one change to what is on disk, write
// the result atomically, release. Readers never take the lock: the atomic replace already
// shows them the old file or the new one.
class PreferenceFileUpdate {
  public:
    using Change = std::function<void(PlistDictionary&)>;

    // How long a writer waits for another process's lock before its write fails.
    static constexpr std::chrono::milliseconds kDefaultLockWait{3000};
    // The environment variable that sets the wait in milliseconds (tests shorten it).
    static constexpr const char* kLockWaitVariable = "MORVANE_PREFERENCE_LOCK_WAIT_MS";
    // The names tried for an unreadable file: "<name>.unreadable", "<name>.unreadable-2", ...
    // up to this many.
    static constexpr int kMostUnreadableCopies = 100;

    enum class Outcome {
        Written,
        NoPlace,       // the path or its directory cannot be had within the device root
        LockTimeout,   // another writer held the lock past the wait
        NotKeptAside,  // the file could not be read and could not be renamed aside
        CannotEncode,  // the changed dictionary cannot be written in the format
        TooLarge,      // the file is, or would be, larger than a reader reads
                       // (PreferenceFileCache::kMaxFileSize); it is left as it is
        WriteFailed,   // the atomic replace failed; the file is as it was
    };

    struct Result {
        Outcome outcome = Outcome::NoPlace;
        // What the caller may tell a user: why nothing was written, or where an unreadable
        // file was kept.
        std::string message;
        // The dictionary now in the file (when written).
        PlistDictionary values;
        // The name the unreadable file was renamed to, when it was.
        std::string keptAsideAs;

        bool written() const { return outcome == Outcome::Written; }
    };

    // Applies change to the file at devicePath (an absolute device path) under its lock and
    // writes the result in format (in binary when XML cannot carry the content). Missing
    // directories are created.
    static Result apply(std::string_view devicePath, const Change& change, PlistFormat format);
    // The same for the file `name` of an open directory (a preferences folder reached by a
    // path of this machine); `shownPath` names the file in messages.
    static Result apply(const DeviceDirectory& directory, const std::string& name,
                        const std::string& shownPath, const Change& change, PlistFormat format);

    // The wait for the lock: the environment's, else kDefaultLockWait.
    static std::chrono::milliseconds lockWait();
};

}  // namespace core
