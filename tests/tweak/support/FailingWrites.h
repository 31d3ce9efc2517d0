#pragma once

#include <sys/resource.h>

#include <csignal>

namespace tweak_testing {

// While alive, no file of this process can grow beyond one byte: every write of a values
// file fails as on a full disk (EFBIG, the signal ignored). Works for root too, whom file
// permissions do not stop.
class FailingWrites {
  public:
    FailingWrites() {
        getrlimit(RLIMIT_FSIZE, &_previous);
        _previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = _previous;
        tiny.rlim_cur = 1;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FailingWrites() {
        setrlimit(RLIMIT_FSIZE, &_previous);
        std::signal(SIGXFSZ, _previousHandler);
    }
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

  private:
    rlimit _previous{};
    void (*_previousHandler)(int) = nullptr;
};

}  // namespace tweak_testing
