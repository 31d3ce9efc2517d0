#pragma once

#include <string>

// The human-readable state that `print` lines show.
class StatePrinter {
  public:
    static std::string device();
    static std::string application(const std::string& bundleIdentifier);
    static std::string store();
    static std::string settings();
    static std::string timeline();
};
