#include "rt/SignatureMismatch.h"

#include "rt/Class.h"

namespace rt {

std::string describeMethod(const Class& cls, Selector selector) {
    return std::string(cls.isMetaclass() ? "+[" : "-[") + cls.name() + " " + selector.name() + "]";
}

SignatureMismatch::SignatureMismatch(const Class& cls, Selector selector, const Signature& stored,
                                     const Signature& given)
    : std::logic_error(describeMethod(cls, selector) + ": signature mismatch: the method is `" +
                       stored.readable() + "` but was used as `" + given.readable() + "`"),
      _className(cls.name()),
      _selectorName(selector.name()),
      _storedSignature(stored.readable()),
      _givenSignature(given.readable()) {}

}  // namespace rt
