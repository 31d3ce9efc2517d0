#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "rt/NoDestroy.h"
#include "ui/AnimationRecord.h"

namespace ui {

class View;

// Every view animation of the process, in the order asked, so that tests and a renderer can
// see durations, delays, springs, options and what changed. The toolkit runs on the main
// thread; the log is locked anyway so a test thread may read it.
class AnimationLog {
  public:
    static AnimationLog& shared();

    // Starts a record and makes it the one that property changes are noted in until end().
    // Animations nest: an inner one is noted on its own record.
    std::size_t begin(AnimationRecord record);
    void end();
    // Called by views when an animatable property changes: noted on the open record, if any.
    void noteChange(View* view, const char* property);
    bool isAnimating() const;

    std::vector<AnimationRecord> records() const;
    std::size_t count() const;
    AnimationRecord last() const;
    void clear();

  private:
    friend class rt::NoDestroy<AnimationLog>;
    AnimationLog() = default;

    mutable std::mutex _mutex;
    std::vector<AnimationRecord> _records;
    std::vector<std::size_t> _open;  // indexes of records whose blocks are running
};

}  // namespace ui
