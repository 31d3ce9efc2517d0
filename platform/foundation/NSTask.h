#pragma once

#include <string>
#include <vector>

#include "rt/Object.h"

namespace settings {

// A program to start ("NSTask"): a launch path on the device and its arguments. `launch`
// starts the program of the device root at that path and returns without waiting; the
// program is reaped when it ends (see core::ProgramLauncher). A path that names no program
// inside the device root starts nothing.
class NSTask : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSTask";

    const std::string& launchPath() const { return _launchPath; }
    void setLaunchPath(std::string path) { _launchPath = std::move(path); }
    const std::vector<std::string>& arguments() const { return _arguments; }
    void setArguments(std::vector<std::string> arguments) { _arguments = std::move(arguments); }
    // Answers whether the program started; `lastError` says why not.
    bool launch();
    int processIdentifier() const { return _pid; }
    const std::string& lastError() const { return _lastError; }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    std::string _launchPath;
    std::vector<std::string> _arguments;
    int _pid = 0;
    std::string _lastError;
};

}  // namespace settings
