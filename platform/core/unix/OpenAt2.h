#pragma once

#include <sys/types.h>

#include <cstdint>

namespace core {

// openat2(2): opens path relative to directory with the resolve flags (RESOLVE_IN_ROOT,
// RESOLVE_BENEATH, ...); O_CLOEXEC is added. Retries while the kernel answers EAGAIN (a rename
// raced with the lookup). Answers the descriptor, or -1 with errno set.
int openat2Descriptor(int directory, const char* path, int flags, mode_t mode,
                      std::uint64_t resolve);

}  // namespace core
