#include "rt/UnrecognizedSelector.h"

#include "rt/Class.h"
#include "rt/SignatureMismatch.h"

namespace rt {

UnrecognizedSelector::UnrecognizedSelector(const Class& cls, Selector selector)
    : std::logic_error(describeMethod(cls, selector) + ": unrecognized selector sent to " +
                       (cls.isMetaclass() ? "class" : "instance")),
      _className(cls.name()),
      _selectorName(selector.name()) {}

}  // namespace rt
