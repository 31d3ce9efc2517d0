// killall: the phone's /usr/bin/killall, as far as the phone's processes are simulated.
// `killall backboardd` (or SpringBoard) restarts every home-screen host of the device root
// by the restart notification; no process is signalled, so nothing outside the simulated
// phone can be reached.
#include <cstdio>
#include <string_view>

#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/process/HostRestart.h"

namespace {

void usage(FILE* to) {
    std::fputs(
        "usage: killall [-SIGNAL] NAME...\n"
        "Ends the named processes of the device root (MORVANE_DEVICE_ROOT). The phone's\n"
        "processes that can be named: backboardd and SpringBoard (ending either restarts the\n"
        "home screen).\n",
        to);
}

bool restartsHomeScreen(std::string_view name) {
    return name == "backboardd" || name == "SpringBoard";
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    if (argc >= 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        usage(stdout);
        return 0;
    }
    // A signal option (-9, -TERM, -s NAME) changes nothing here: the hosts restart either way.
    if (first < argc && std::string_view(argv[first]) == "-s")
        first += 2;
    else if (first < argc && argv[first][0] == '-')
        ++first;
    if (first >= argc) {
        usage(stderr);
        return 2;
    }
    if (!core::DeviceRoot::get()) {
        std::fputs("killall: no device root (MORVANE_DEVICE_ROOT)\n", stderr);
        return 2;
    }
    bool matched = false;
    for (int index = first; index < argc; ++index) {
        if (!restartsHomeScreen(argv[index])) continue;
        matched = true;
    }
    if (!matched) {
        std::fputs("No matching processes belonging to you were found\n", stderr);
        return 1;
    }
    if (!core::NotifyCenter::post(core::HostRestart::kNotification)) {
        std::fputs("killall: could not reach the device's processes\n", stderr);
        return 1;
    }
    return 0;
}
