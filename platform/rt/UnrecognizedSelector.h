#pragma once

#include <stdexcept>
#include <string>

namespace rt {

class Class;
class Selector;

// Thrown when a message is sent that the receiver's class does not implement.
class UnrecognizedSelector : public std::logic_error {
  public:
    UnrecognizedSelector(const Class& cls, Selector selector);

    const std::string& className() const { return _className; }
    const std::string& selectorName() const { return _selectorName; }

  private:
    std::string _className;
    std::string _selectorName;
};

}  // namespace rt
