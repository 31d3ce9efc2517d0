#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/unix/FileDescriptor.h"

namespace core {

// A directory of the simulated phone, held open. Every name is resolved from this descriptor
// and never leaves it (a link among its entries that leads out of it is refused), so a
// directory swapped for a link after it was opened cannot redirect a read, a listing, a rename
// or a replacement.
class DeviceDirectory {
  public:
    // What a name of the directory is, without following a link.
    enum class EntryKind { Missing, File, Directory, Link, Other };

    // The result of reading a file of the directory.
    struct FileRead {
        std::optional<std::string> bytes;  // none when missing or unreadable
        bool exists = false;               // something is there (even if it could not be read)
        int error = 0;                     // why it could not be read (errno), 0 when read
    };

    explicit DeviceDirectory(FileDescriptor descriptor) : _descriptor(std::move(descriptor)) {}

    int descriptor() const { return _descriptor.get(); }

    // A name that stands for one entry of a directory: not empty, no "/", not "." or "..".
    static bool isEntryName(std::string_view name);

    // Opens an entry (flags as for open, O_CLOEXEC added); an invalid descriptor on failure,
    // with errno telling why.
    FileDescriptor openEntry(std::string_view name, int flags, mode_t mode = 0) const;

    // The whole content of a regular file of the directory, bounded as readWholeFile is.
    FileRead readFile(std::string_view name) const;

    EntryKind kindOf(std::string_view name) const;

    // The names of the entries, "." and ".." left out, in no particular order.
    std::vector<std::string> list() const;

    // Renames an entry within this directory. Without `replace`, an existing `to` is left as
    // it is and the rename fails (errno EEXIST).
    bool rename(std::string_view from, std::string_view to, bool replace) const;

    bool removeFile(std::string_view name) const;

    // Whether a replacement waits for the disk: a user's data does; a file that can be made
    // again (a picture) is only renamed into place, which readers see whole all the same.
    enum class Flush { ToDisk, None };

    // Replaces the file `name` with bytes so that a reader sees the old content or the new:
    // a temporary created in this directory (named by temporaryNameFor) exclusively and
    // without following links, flushed to disk, renamed over `name` in this directory, then
    // the directory flushed. The file keeps the old file's permissions with read and write
    // for its owner added; a new file gets 0644.
    bool replaceFile(std::string_view name, std::string_view bytes,
                     Flush flush = Flush::ToDisk) const;

    // Creates the new file `name` (failing when anything is there) holding bytes, with mode;
    // not flushed to disk: for copies that can be made again, not for a user's data.
    bool createFile(std::string_view name, std::string_view bytes, mode_t mode) const;

    // Removes the temporaries of `name` left by writers that are gone (their process id no
    // longer runs); a temporary of a running process is left alone. Answers how many went.
    int removeStaleTemporaries(std::string_view name) const;
    // The same for the temporaries of every name ending in extension (".png"), including the
    // older ".<name>.tmp<pid>" form. Answers how many went.
    int removeStaleTemporariesOfAny(std::string_view extension) const;

  private:
    FileDescriptor _descriptor;
};

}  // namespace core
