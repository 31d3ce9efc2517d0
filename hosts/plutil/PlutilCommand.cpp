#include "PlutilCommand.h"

#include <cstddef>

namespace {

using Action = PlutilCommand::Action;
using Form = PlutilCommand::Form;

constexpr const char* kValueTypes[] = {"bool", "integer", "float", "string",
                                       "date", "data",    "xml",   "json"};

// Walks the arguments in order, each read at most once.
class Arguments {
  public:
    explicit Arguments(const std::vector<std::string>& list) : _list(list) {}

    bool done() const { return _next >= _list.size(); }
    const std::string& peek() const { return _list[_next]; }
    const std::string& take(const char* what) {
        if (done()) throw UsageError(std::string("missing ") + what);
        return _list[_next++];
    }

  private:
    const std::vector<std::string>& _list;
    std::size_t _next = 0;
};

Form formNamed(const std::string& name, bool rawAllowed) {
    if (name == "xml1") return Form::Xml;
    if (name == "binary1") return Form::Binary;
    if (name == "json") return Form::Json;
    if (name == "raw" && rawAllowed) return Form::Raw;
    throw UsageError("unknown format '" + name + "' (xml1, binary1, json" +
                     (rawAllowed ? ", raw)" : ")"));
}

// The files and the -o option that follow a command's fixed words.
void readFilesAndOutput(Arguments& arguments, PlutilCommand& command, bool outputAllowed) {
    while (!arguments.done()) {
        const std::string& argument = arguments.take("file");
        if (argument == "-o" && outputAllowed) {
            if (command.output) throw UsageError("-o given twice");
            command.output = arguments.take("output file after -o");
        } else if (argument.size() > 1 && argument.front() == '-') {
            throw UsageError("unknown option '" + argument + "'");
        } else {
            command.files.push_back(argument);
        }
    }
    if (command.files.empty()) throw UsageError("no file given");
}

void readEdit(Arguments& arguments, PlutilCommand& command) {
    command.keyPath = arguments.take("key path");
    if (command.action != Action::Remove) {
        const std::string& type = arguments.take("value type (-bool, -integer, ...)");
        for (const char* known : kValueTypes) {
            if (type == std::string("-") + known) command.valueType = known;
        }
        if (command.valueType.empty()) throw UsageError("unknown value type '" + type + "'");
        command.valueText = arguments.take("value");
    }
    readFilesAndOutput(arguments, command, false);
    if (command.files.size() != 1) throw UsageError("an edit takes exactly one file");
}

Action actionNamed(const std::string& word) {
    if (word == "-help" || word == "--help" || word == "-h") return Action::Help;
    if (word == "-lint") return Action::Lint;
    if (word == "-p") return Action::Print;
    if (word == "-convert") return Action::Convert;
    if (word == "-extract") return Action::Extract;
    if (word == "-insert") return Action::Insert;
    if (word == "-replace") return Action::Replace;
    if (word == "-remove") return Action::Remove;
    throw UsageError("unknown command '" + word + "'");
}

}  // namespace

PlutilCommand PlutilCommand::parse(const std::vector<std::string>& list) {
    Arguments arguments(list);
    PlutilCommand command;
    if (!arguments.done() && arguments.peek() == "--root") {
        arguments.take("--root");
        command.root = arguments.take("directory after --root");
    }
    command.action = actionNamed(arguments.take("command"));
    switch (command.action) {
        case Action::Help:
            if (!arguments.done()) throw UsageError("-help takes no arguments");
            break;
        case Action::Lint:
        case Action::Print:
            readFilesAndOutput(arguments, command, false);
            if (command.action == Action::Print && command.files.size() != 1)
                throw UsageError("-p takes exactly one file");
            break;
        case Action::Convert:
            command.form = formNamed(arguments.take("format"), false);
            readFilesAndOutput(arguments, command, true);
            if (command.output && command.files.size() != 1)
                throw UsageError("-o needs exactly one file");
            break;
        case Action::Extract:
            command.keyPath = arguments.take("key path");
            command.form = formNamed(arguments.take("format"), true);
            readFilesAndOutput(arguments, command, true);
            if (command.files.size() != 1) throw UsageError("-extract takes exactly one file");
            break;
        default:
            readEdit(arguments, command);
            break;
    }
    return command;
}
