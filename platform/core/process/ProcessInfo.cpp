#include "core/process/ProcessInfo.h"

#include <errno.h>

#include <mutex>

#include "rt/NoDestroy.h"

namespace core {
namespace {

struct Override {
    std::mutex mutex;
    std::string name;
};

Override& override() {
    static rt::NoDestroy<Override> value;
    return *value;
}

}  // namespace

std::string ProcessInfo::processName() {
    {
        std::lock_guard lock(override().mutex);
        if (!override().name.empty()) return override().name;
    }
    // The last component of argv[0], as the phone's process information gives it.
    return program_invocation_short_name;
}

void ProcessInfo::setProcessNameForTesting(const std::string& name) {
    std::lock_guard lock(override().mutex);
    override().name = name;
}

}  // namespace core
