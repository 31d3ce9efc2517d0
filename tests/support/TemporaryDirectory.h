#pragma once

#include "core/paths/TemporaryDirectory.h"

namespace testing_support {

// Tests and benchmarks use the platform's temporary directory, the one the hosts make their
// device roots with.
using TemporaryDirectory = core::TemporaryDirectory;

}  // namespace testing_support
