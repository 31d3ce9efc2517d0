#pragma once

#include <stdexcept>
#include <string>

// A scenario line that could not run, or an expectation that did not hold. The message says
// what went wrong; the runner adds the line.
class ScenarioError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
