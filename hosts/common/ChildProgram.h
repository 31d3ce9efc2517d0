#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Runs another program of this machine (a tool beside the host) to its end, with no shell:
// `input` is its standard input, through a socket only the two processes hold (no file is
// written anywhere for it), and what it writes on its standard error is collected. Its
// standard output is the host's.
class ChildProgram {
  public:
    struct Result {
        int status = -1;     // its exit status; -1 when it could not run or did not exit
        std::string errors;  // what it wrote on its standard error
    };

    static Result run(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments, const std::string& input = "");
};
