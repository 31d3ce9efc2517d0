#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "HostCommandLine.h"
#include "core/paths/TemporaryDirectory.h"

// A host's hold on its device root for the length of a run: the root named by --root or a
// fresh temporary one (removed at the end unless --keep), the built deliverables installed
// into it where it does not hold them yet, and the clock the options ask for. Problems are
// reported on the error stream under the host's name; none of them stops the host.
class DeviceSession {
  public:
    DeviceSession(std::string hostName, const HostOptions& options, std::ostream& out,
                  std::ostream& errors);

    const std::filesystem::path& root() const { return _root; }
    // Writes each problem as "<host>: <problem>".
    void report(const std::vector<std::string>& problems) const;
    // Loads the injected libraries of the root; answers "<library>: <why>" for each that
    // did not load.
    static std::vector<std::string> loadLibraries();

  private:
    std::string _hostName;
    std::ostream& _errors;
    std::optional<core::TemporaryDirectory> _temporary;
    std::filesystem::path _root;
};
