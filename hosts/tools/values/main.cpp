// ValuesEditor: reads and edits Morvane's values file from the phone's shell, as the settings
// pane or another app would: every write follows the rule of every writer of a preference
// file (its lock, the file read again under it, an unreadable file kept aside), replaces the
// file atomically in the format the library reads, and posts the reload notification.
#include <cstdio>
#include <string>
#include <vector>

#include "EditCommand.h"
#include "ValuesCommand.h"
#include "ValuesTool.h"
#include "core/paths/DeviceRoot.h"

namespace {

int usageError(const std::string& message) {
    std::fprintf(stderr, "ValuesEditor: %s\n%s", message.c_str(), ValuesCommand::usage());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    ValuesCommand command;
    try {
        command = ValuesCommand::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        return usageError(error.what());
    }
    if (command.action == ValuesCommand::Action::Help) {
        std::fputs(ValuesCommand::usage(), stdout);
        return 0;
    }
    if (command.action == ValuesCommand::Action::Edit && !EditCommand::isValid(command.editWords))
        return usageError("not an edit ValuesEditor makes");
    if (command.root) core::DeviceRoot::set(*command.root);
    if (!core::DeviceRoot::get())
        return usageError("no device root (--root DIR or MORVANE_DEVICE_ROOT)");
    // FILE arguments are paths of the shell the tool runs from: this machine's with --root,
    // the phone's when the phone runs it.
    std::optional<PlistFiles> files = PlistFiles();
    if (!command.root) files = PlistFiles::ofDeviceRoot();
    if (!files) {
        std::fputs("ValuesEditor: the device root cannot be opened\n", stderr);
        return 1;
    }
    try {
        return ValuesTool(std::move(*files)).run(command);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ValuesEditor: %s\n", error.what());
        return 1;
    }
}
