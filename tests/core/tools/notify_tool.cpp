// A second process of a device root for the tests and benchmarks: posts and observes
// notifications, and edits preference files as another app would.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/preferences/PreferenceFile.h"
#include "core/preferences/PreferenceFileUpdate.h"

namespace {

void usage(FILE* to) {
    std::fprintf(
        to,
        "usage: notify_tool --root DIR COMMAND ...\n"
        "  post NAME...              post each name once\n"
        "  wait NAME SECONDS         print 'ready', then 'received NAME' when it is posted\n"
        "  pong PING PONG            answer each PING with PONG until PING/stop is posted\n"
        "  set-bool DOMAIN KEY on|off  store the key in the domain's file, post "
        "DOMAIN/ReloadPrefs\n");
}

int waitFor(const std::string& name, double seconds) {
    bool received = false;
    core::NotifyCenter::darwin().addObserver(name, [&](const std::string&) { received = true; });
    std::printf("ready\n");
    std::fflush(stdout);
    if (!core::RunLoop::main().runUntil([&] { return received; }, seconds)) return 1;
    std::printf("received %s\n", name.c_str());
    return 0;
}

int pong(const std::string& ping, const std::string& answer) {
    bool stopped = false;
    auto& center = core::NotifyCenter::darwin();
    center.addObserver(ping, [&](const std::string&) { core::NotifyCenter::post(answer); });
    center.addObserver(ping + "/stop", [&](const std::string&) { stopped = true; });
    std::printf("ready\n");
    std::fflush(stdout);
    return core::RunLoop::main().runUntil([&] { return stopped; }, 600) ? 0 : 1;
}

int setBool(const std::string& domain, const std::string& key, bool value) {
    const auto update = core::PreferenceFileUpdate::apply(
        core::PreferenceFile::devicePathFor(domain),
        [&](core::PlistDictionary& values) { values.set(key, core::PlistValue(value)); },
        core::PlistFormat::Binary);
    if (!update.written()) {
        std::fprintf(stderr, "notify_tool: %s\n", update.message.c_str());
        return 1;
    }
    return core::NotifyCenter::post(domain + "/ReloadPrefs") ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        usage(stdout);
        return 0;
    }
    if (argc < 4 || std::strcmp(argv[1], "--root") != 0) {
        usage(stderr);
        return 2;
    }
    core::DeviceRoot::set(argv[2]);
    core::Clock::boot(core::ClockMode::Real);
    const std::string command = argv[3];
    if (command == "post") {
        for (int i = 4; i < argc; ++i) {
            if (!core::NotifyCenter::post(argv[i])) return 1;
        }
        return 0;
    }
    if (command == "wait" && argc == 6) return waitFor(argv[4], std::atof(argv[5]));
    if (command == "pong" && argc == 6) return pong(argv[4], argv[5]);
    if (command == "set-bool" && argc == 7)
        return setBool(argv[4], argv[5], std::string(argv[6]) == "on");
    usage(stderr);
    return 2;
}
