#pragma once

#include <stdexcept>
#include <string>

namespace rt {

class Class;
class Selector;
class Signature;

// Thrown when a send, a hook or a replacement uses types other than the method's stored
// ones; calling through the wrong types would corrupt memory instead.
class SignatureMismatch : public std::logic_error {
  public:
    SignatureMismatch(const Class& cls, Selector selector, const Signature& stored,
                      const Signature& given);

    const std::string& className() const { return _className; }
    const std::string& selectorName() const { return _selectorName; }
    const std::string& storedSignature() const { return _storedSignature; }
    const std::string& givenSignature() const { return _givenSignature; }

  private:
    std::string _className;
    std::string _selectorName;
    std::string _storedSignature;
    std::string _givenSignature;
};

// "-[SBApplication setVolume:]" for an instance method, "+[...]" for a class method.
std::string describeMethod(const Class& cls, Selector selector);

}  // namespace rt
