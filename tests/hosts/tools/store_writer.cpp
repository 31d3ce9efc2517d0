// A second process that stores values through the tweak's own store, as the home-screen host
// does when the user changes an app's level: used by the tests of several writers at once.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/paths/DeviceRoot.h"
#include "tweak/store/CustomValuesStore.h"

int main(int argc, char** argv) {
    if (argc != 5 || std::strcmp(argv[1], "--root") != 0) {
        std::fprintf(argc == 2 && !std::strcmp(argv[1], "--help") ? stdout : stderr,
                     "usage: store_writer --root DIR PREFIX COUNT\n"
                     "  stores the volume of the apps PREFIX.0 ... PREFIX.<COUNT-1> one by one\n"
                     "  with the tweak's store; prints the name of each app whose store "
                     "succeeded\n");
        return argc == 2 && !std::strcmp(argv[1], "--help") ? 0 : 2;
    }
    core::DeviceRoot::set(argv[2]);
    const std::string prefix = argv[3];
    const int count = std::atoi(argv[4]);
    for (int index = 0; index < count; ++index) {
        const std::string app = prefix + "." + std::to_string(index);
        if (morvane::CustomValuesStore::storeCustomVolumeForApp(0.5f, app))
            std::printf("%s\n", app.c_str());
    }
    return 0;
}
