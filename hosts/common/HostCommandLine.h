#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace CLI {
class App;
}

// What every host is asked on its command line.
struct HostOptions {
    std::optional<std::filesystem::path> root;    // --root DIR; none: a fresh temporary root
    bool keepRoot = false;                        // --keep
    bool realTime = false;                        // --real-time
    bool echo = false;                            // --echo
    std::optional<std::filesystem::path> script;  // none (or "-"): standard input
};

// A host's command line: the options every host has, the host's own options (added to
// `app()`), one script file, and a --help that ends with the host's commands and quantities.
// An option the host does not have is an error with a message.
class HostCommandLine {
  public:
    // `scriptName`: how the script is called in the usage ("SCENARIO", "SCRIPT").
    HostCommandLine(std::string hostName, const std::string& description,
                    const std::string& scriptName);
    ~HostCommandLine();

    CLI::App& app() { return *_app; }
    // Text shown after the options: the commands, the quantities, the exit statuses.
    void setEpilogue(const std::string& text);

    // Parses the arguments. Answers the exit status when the host is to stop now: 0 after
    // --help (printed on standard output), 2 for bad arguments (the message on standard
    // error); none when it is to run.
    std::optional<int> parse(int argc, char** argv);
    const HostOptions& options() const { return _options; }

  private:
    std::string _hostName;
    std::unique_ptr<CLI::App> _app;
    HostOptions _options;
    std::string _script;
};
