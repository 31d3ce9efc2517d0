#pragma once

#include <stdexcept>
#include <string>

// A script line that could not run, or an expectation that did not hold. The message says
// what went wrong; the player adds the line.
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
