#pragma once

#include "rt/Object.h"

namespace morvane {

// What happens when an app leaves the foreground: the values recorded at its entry are put
// back, each kind only where its restore setting is on, a value was recorded and the app
// still customises that kind. Only the first exit after an entry puts anything back.
class AppExit {
  public:
    static void restorePreviousValuesOnAppExit(rt::Object* app);
};

}  // namespace morvane
