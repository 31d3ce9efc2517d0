#pragma once

#include <sys/wait.h>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace testing_support {

// Quotes a word for the shell.
inline std::string shellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A child process started through the shell whose standard output is read line by line.
class Subprocess {
  public:
    explicit Subprocess(const std::string& command) : _pipe(::popen(command.c_str(), "r")) {
        if (!_pipe) throw std::runtime_error("popen failed: " + command);
    }
    ~Subprocess() {
        if (_pipe) ::pclose(_pipe);
    }
    Subprocess(const Subprocess&) = delete;
    Subprocess& operator=(const Subprocess&) = delete;

    // The next line without its newline; empty at the end of the output.
    std::string readLine() {
        char buffer[4096];
        if (!std::fgets(buffer, sizeof buffer, _pipe)) return {};
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        return line;
    }

    // Reads the rest of the output, blank lines included, to its end and answers the exit
    // status (-1 when it did not exit).
    int wait(std::string* rest = nullptr) {
        char buffer[4096];
        std::size_t count = 0;
        while ((count = std::fread(buffer, 1, sizeof buffer, _pipe)) > 0) {
            if (rest) rest->append(buffer, count);
        }
        const int status = ::pclose(_pipe);
        _pipe = nullptr;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    FILE* _pipe;
};

// Runs a command to its end; answers its exit status and fills `output` with its stdout.
inline int run(const std::string& command, std::string* output = nullptr) {
    if (output) output->clear();
    Subprocess process(command);
    return process.wait(output);
}

}  // namespace testing_support
