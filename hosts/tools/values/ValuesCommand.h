#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// What ValuesEditor is asked on its command line.
struct ValuesCommand {
    enum class Action { Help, Edit, List, Export, Import };
    enum class Form { Json, Xml, Binary };

    Action action = Action::Help;
    std::optional<std::filesystem::path> root;  // --root DIR; none: the environment's root
    std::vector<std::string> editWords;         // store … / setting …
    bool json = false;                          // list --json
    Form form = Form::Json;                     // export's form
    std::optional<std::string> file;            // export's target, import's source
    bool replace = false;                       // import --replace (else --merge)
    bool dryRun = false;                        // import --dry-run

    // Throws UsageError with what is wrong.
    static ValuesCommand parse(const std::vector<std::string>& arguments);
    static const char* usage();
};

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
