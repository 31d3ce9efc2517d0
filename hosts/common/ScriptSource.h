#pragma once

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <streambuf>

#include "core/unix/FileDescriptor.h"

// The script a host plays: a file of this machine, read as it is written (a pipe or a FIFO
// works too), or standard input.
class ScriptSource {
  public:
    // A script file that cannot be played: missing, unreadable, or a directory.
    class Unreadable : public std::runtime_error {
      public:
        using std::runtime_error::runtime_error;
    };

    // Opens the file (none: standard input); throws Unreadable.
    explicit ScriptSource(const std::optional<std::filesystem::path>& file);
    ~ScriptSource();
    ScriptSource(const ScriptSource&) = delete;
    ScriptSource& operator=(const ScriptSource&) = delete;

    std::istream& stream() { return _file ? *_file : std::cin; }

  private:
    core::FileDescriptor _descriptor;
    std::unique_ptr<std::streambuf> _buffer;
    std::unique_ptr<std::istream> _file;
};
