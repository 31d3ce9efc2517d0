// plutil: checks, prints, converts and edits property lists, as the phone's tool does.
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <string>
#include <vector>

#include "Plutil.h"
#include "PlutilCommand.h"
#include "core/paths/DeviceRoot.h"

namespace {

constexpr const char* kUsage =
    "usage: plutil [--root DIR] COMMAND ...\n"
    "Checks, prints, converts and edits property lists (XML, binary; JSON where it can).\n"
    "\n"
    "  -lint FILE...                        FILE: OK for each readable file, else what is wrong\n"
    "  -p FILE                              the content, human-readable\n"
    "  -convert xml1|binary1|json [-o OUT|-] FILE...\n"
    "                                       converts each file in place, or to OUT (- for\n"
    "                                       standard output); JSON refuses dates and data\n"
    "  -extract KEYPATH xml1|binary1|json|raw [-o OUT|-] FILE\n"
    "                                       the value at KEYPATH, to standard output unless\n"
    "                                       -o names a file; raw prints a string, number or\n"
    "                                       boolean as plain text\n"
    "  -insert KEYPATH -TYPE VALUE FILE     adds a value (fails if one is there)\n"
    "  -replace KEYPATH -TYPE VALUE FILE    sets a value, whether or not one is there\n"
    "  -remove KEYPATH FILE                 removes the value\n"
    "  -help                                this text\n"
    "\n"
    "KEYPATH: keys separated by '.', array items by their index (apps.0.name); '\\.' is a dot\n"
    "in a key. An array index equal to the array's length appends.\n"
    "TYPE: -bool YES|NO|true|false|1|0, -integer N (signed or unsigned 64-bit), -float X,\n"
    "-string TEXT, -date 2024-05-01T12:00:00Z, -data BASE64, -xml PLIST, -json JSON.\n"
    "\n"
    "Edits keep the file's format (XML stays XML, binary stays binary). Every write goes to a\n"
    "temporary created beside the target and renamed over it; a target that is a link or not\n"
    "a regular file is refused. A file .../Library/Preferences/NAME.plist is edited under the\n"
    "lock every writer of preference files takes, read again under it, so no change another\n"
    "process makes meanwhile is lost.\n"
    "With --root DIR, or MORVANE_DEVICE_ROOT set (as in programs of the simulated phone), the\n"
    "files are absolute device paths, resolved within that device root.\n"
    "\n"
    "Exit status: 0 done; 1 a file could not be read or written, or a key path does not exist;\n"
    "2 bad usage.\n";

}  // namespace

int main(int argc, char** argv) {
    PlutilCommand command;
    try {
        command = PlutilCommand::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "plutil: %s\n%s", error.what(), kUsage);
        return 2;
    }
    if (command.action == PlutilCommand::Action::Help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command.root) {
        std::error_code error;
        if (!std::filesystem::is_directory(*command.root, error)) {
            std::fprintf(stderr, "plutil: %s is not a directory\n", command.root->c_str());
            return 1;
        }
        core::DeviceRoot::set(*command.root);
    }
    std::optional<PlistFiles> files = PlistFiles();
    if (core::DeviceRoot::get()) {
        files = PlistFiles::ofDeviceRoot();
        if (!files) {
            std::fputs("plutil: the device root cannot be opened\n", stderr);
            return 1;
        }
    }
    try {
        return Plutil(std::move(*files)).run(command);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "plutil: %s\n", error.what());
        return 1;
    }
}
