#include "ValuesCommand.h"

#include <algorithm>
#include <cstddef>

namespace {

using Words = std::vector<std::string>;

void parseList(ValuesCommand& command, const Words& words) {
    command.action = ValuesCommand::Action::List;
    for (std::size_t index = 1; index < words.size(); ++index) {
        if (words[index] != "--json")
            throw UsageError("list takes only --json, not " + words[index]);
        command.json = true;
    }
}

void parseExport(ValuesCommand& command, const Words& words) {
    command.action = ValuesCommand::Action::Export;
    bool formGiven = false;
    for (std::size_t index = 1; index < words.size(); ++index) {
        const std::string& word = words[index];
        using Form = ValuesCommand::Form;
        const std::optional<Form> form = word == "--json"     ? std::optional(Form::Json)
                                         : word == "--xml"    ? std::optional(Form::Xml)
                                         : word == "--binary" ? std::optional(Form::Binary)
                                                              : std::nullopt;
        if (form) {
            if (formGiven) throw UsageError("export takes one of --json, --xml and --binary");
            formGiven = true;
            command.form = *form;
        } else if (word.starts_with("--") || command.file) {
            throw UsageError("export does not take " + word);
        } else {
            command.file = word;
        }
    }
}

void parseImport(ValuesCommand& command, const Words& words) {
    command.action = ValuesCommand::Action::Import;
    bool modeGiven = false;
    for (std::size_t index = 1; index < words.size(); ++index) {
        const std::string& word = words[index];
        if (word == "--merge" || word == "--replace") {
            if (modeGiven) throw UsageError("import takes one of --merge and --replace");
            modeGiven = true;
            command.replace = word == "--replace";
        } else if (word == "--dry-run") {
            command.dryRun = true;
        } else if ((word.starts_with("--") && word != "-") || command.file) {
            throw UsageError("import does not take " + word);
        } else {
            command.file = word;
        }
    }
    if (!command.file) throw UsageError("import needs a FILE to read (- for standard input)");
}

}  // namespace

ValuesCommand ValuesCommand::parse(const std::vector<std::string>& arguments) {
    ValuesCommand command;
    Words words = arguments;
    // --root DIR may come anywhere: no other word of a command line is "--root".
    if (const auto found = std::find(words.begin(), words.end(), "--root"); found != words.end()) {
        if (found + 1 == words.end()) throw UsageError("--root needs a directory");
        command.root = *(found + 1);
        words.erase(found, found + 2);
    }
    if (words.empty()) throw UsageError("no command given");
    const std::string& name = words[0];
    if (name == "--help" || name == "-h" || name == "help") {
        command.action = Action::Help;
    } else if (name == "store" || name == "setting") {
        command.action = Action::Edit;
        command.editWords = words;
    } else if (name == "list") {
        parseList(command, words);
    } else if (name == "export") {
        parseExport(command, words);
    } else if (name == "import") {
        parseImport(command, words);
    } else {
        throw UsageError("unknown command " + name);
    }
    return command;
}

const char* ValuesCommand::usage() {
    return "usage: ValuesEditor [--root DIR] COMMAND\n"
           "Reads and edits Morvane's values file (/var/mobile/Library/Preferences/"
           "com.kelvrin.morvane.plist)\nof a device root; every change posts "
           "com.kelvrin.morvane/ReloadPrefs.\n"
           "\n"
           "  store BUNDLE_ID volume LEVEL              the app's volume (0..1)\n"
           "  store BUNDLE_ID brightness LEVEL          the app's brightness (0..1)\n"
           "  store BUNDLE_ID toggle NAME on|off|unset  one of the app's toggles\n"
           "  store BUNDLE_ID clear                     every value of the app\n"
           "  setting KEY on|off                        a global setting\n"
           "  list [--json]                             every app's values, as a table (or JSON)\n"
           "  export [--json|--xml|--binary] [FILE]     every app's values (never the settings)\n"
           "                                            to FILE, or standard output; JSON by "
           "default\n"
           "  import FILE [--merge|--replace] [--dry-run]\n"
           "                                            apps' values from FILE (- for standard\n"
           "                                            input; JSON, XML or binary, recognised\n"
           "                                            from the content). --merge (default) sets\n"
           "                                            the values the file gives and keeps the\n"
           "                                            rest; --replace replaces every app's\n"
           "                                            values; settings are never touched.\n"
           "                                            --dry-run prints what would change and\n"
           "                                            writes nothing.\n"
           "  --help                                    this text\n"
           "\n"
           "An import is checked whole before anything is written: an unknown toggle name, a\n"
           "level outside 0..1, a value of the wrong kind, a malformed bundle identifier or a\n"
           "file that does not parse is named, and the values file is left as it is.\n"
           "Toggle names: orientationLock cellular wifi bluetooth airplane dnd location\n"
           "autoBrightness autoLock lowPower nightShift vpn.\n"
           "\n"
           "Without --root the device root is MORVANE_DEVICE_ROOT (as in programs of the\n"
           "simulated phone) and FILE is a device path; with --root, FILE is a path of this\n"
           "machine. Files are written to a temporary created beside them and renamed into\n"
           "place; a target that is a link or not a regular file is refused.\n"
           "Writes wait at most 3 s for another writer's lock (MORVANE_PREFERENCE_LOCK_WAIT_MS\n"
           "sets the wait); an unreadable values file is renamed aside (NAME.unreadable) before\n"
           "it is replaced.\n"
           "\n"
           "Exit status: 0 done, 1 not done (the reason is printed), 2 bad usage.\n";
}
