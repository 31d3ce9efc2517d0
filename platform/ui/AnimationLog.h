#pragma once

#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "rt/NoDestroy.h"
#include "ui/AnimationRecord.h"

namespace ui {

class View;

// The latest view animations of the process (at most kCapacity), in the order asked, so that
// tests and a renderer can see durations, delays, springs, options and what changed. Older
// records are dropped, so a long-running host does not grow with every animation. The
// toolkit runs on the main thread; the log is locked anyway so a test thread may read it.
class AnimationLog {
  public:
    static constexpr std::size_t kCapacity = 512;

    static AnimationLog& shared();

    // Starts a record and makes it the one that property changes are noted in until end().
    // Animations nest: an inner one is noted on its own record.
    std::size_t begin(AnimationRecord record);
    void end();
    // Called by views when an animatable property changes: noted on the open record, if any.
    void noteChange(View* view, const char* property);
    bool isAnimating() const;

    // The records held, oldest first.
    std::vector<AnimationRecord> records() const;
    // How many records are held (never more than kCapacity).
    std::size_t count() const;
    AnimationRecord last() const;
    void clear();

  private:
    friend class rt::NoDestroy<AnimationLog>;
    AnimationLog() = default;

    void dropOldest();

    mutable std::mutex _mutex;
    std::deque<AnimationRecord> _records;
    std::size_t _dropped = 0;        // records dropped so far: the sequence number of the first
    std::vector<std::size_t> _open;  // sequence numbers of records whose blocks are running
    std::atomic<std::size_t> _openCount{0};  // _open's size, read without the lock
};

}  // namespace ui
