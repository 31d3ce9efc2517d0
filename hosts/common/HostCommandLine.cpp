#include "HostCommandLine.h"

#include <CLI/CLI.hpp>
#include <iostream>

HostCommandLine::HostCommandLine(std::string hostName, const std::string& description,
                                 const std::string& scriptName)
    : _hostName(std::move(hostName)), _app(std::make_unique<CLI::App>(description, _hostName)) {
    _app->add_option("--root", _options.root,
                     "the device root (default: a fresh temporary one, removed at exit)")
        ->type_name("DIR");
    _app->add_flag("--keep", _options.keepRoot, "keep the temporary root and print its path");
    _app->add_flag("--real-time", _options.realTime,
                   "run on the real clock (default: the virtual clock, time moves with 'wait')");
    _app->add_flag("--echo", _options.echo,
                   "show each line of the script, with the time, as it is played");
    _app->add_option(scriptName, _script,
                     "the script to play (standard input without one, or with '-')")
        ->type_name("");
    // Words the host does not know are gathered and refused in parse, each by name.
    _app->allow_extras();
}

HostCommandLine::~HostCommandLine() = default;

void HostCommandLine::setEpilogue(const std::string& text) {
    _app->footer(text);
}

std::optional<int> HostCommandLine::parse(int argc, char** argv) {
    try {
        _app->parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << _app->help();
        return 0;
    } catch (const CLI::ParseError& error) {
        std::cerr << _hostName << ": " << error.what() << "\n"
                  << "Run with --help for the options.\n";
        return 2;
    }
    for (const std::string& extra : _app->remaining()) {
        std::cerr << _hostName << ": "
                  << (extra.size() > 1 && extra.front() == '-'
                          ? "unknown option " + extra
                          : "only one script can be played, not also " + extra)
                  << "\nRun with --help for the options.\n";
        return 2;
    }
    if (!_script.empty() && _script != "-") _options.script = _script;
    return std::nullopt;
}
