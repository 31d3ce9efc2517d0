#include "tweak/startup/Startup.h"

// The load-time initializer of Morvane.dylib: the hooking runtime loads the library into
// every process, and the start-up decides whether to act. Nothing may escape into the
// loading process.
namespace {

[[gnu::constructor]] void morvaneLoadTimeInitializer() {
    try {
        morvane::morvaneStartup();
    } catch (...) {
    }
}

}  // namespace
