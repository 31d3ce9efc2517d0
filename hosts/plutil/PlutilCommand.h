#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// One invocation of plutil, as its command line asks for it.
struct PlutilCommand {
    enum class Action { Help, Lint, Print, Convert, Extract, Insert, Replace, Remove };
    // The form a value is written in: a property-list file form, JSON, or plain text.
    enum class Form { Xml, Binary, Json, Raw };

    Action action = Action::Help;
    Form form = Form::Xml;
    std::string keyPath;
    std::string valueType;  // "bool", "integer", "float", "string", "date", "data", "xml", "json"
    std::string valueText;
    std::optional<std::string> output;  // "-" for standard output
    std::optional<std::string> root;    // a device root whose device paths the files are
    std::vector<std::string> files;

    // Reads the arguments after the program name; throws UsageError on a bad command line.
    static PlutilCommand parse(const std::vector<std::string>& arguments);
};

// A command line plutil cannot run (exit status 2).
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
