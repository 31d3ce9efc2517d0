#include "ui/AnimationLog.h"

#include "ui/View.h"

namespace ui {

AnimationLog& AnimationLog::shared() {
    static rt::NoDestroy<AnimationLog> log;
    return *log;
}

std::size_t AnimationLog::begin(AnimationRecord record) {
    std::lock_guard lock(_mutex);
    if (_records.size() >= kCapacity) dropOldest();
    _records.push_back(std::move(record));
    const std::size_t sequence = _dropped + _records.size() - 1;
    _open.push_back(sequence);
    _openCount.store(_open.size(), std::memory_order_release);
    return sequence;
}

void AnimationLog::dropOldest() {
    _records.pop_front();
    ++_dropped;
}

void AnimationLog::end() {
    std::lock_guard lock(_mutex);
    if (!_open.empty()) _open.pop_back();
    _openCount.store(_open.size(), std::memory_order_release);
}

void AnimationLog::noteChange(View* view, const char* property) {
    // Most changes happen outside any animation block: no lock for them.
    if (_openCount.load(std::memory_order_acquire) == 0) return;
    std::lock_guard lock(_mutex);
    if (_open.empty() || _open.back() < _dropped) return;  // its record was already dropped
    _records[_open.back() - _dropped].changes.push_back({rt::Weak<View>(view), property});
}

bool AnimationLog::isAnimating() const {
    std::lock_guard lock(_mutex);
    return !_open.empty();
}

std::vector<AnimationRecord> AnimationLog::records() const {
    std::lock_guard lock(_mutex);
    return {_records.begin(), _records.end()};
}

std::size_t AnimationLog::count() const {
    std::lock_guard lock(_mutex);
    return _records.size();
}

AnimationRecord AnimationLog::last() const {
    std::lock_guard lock(_mutex);
    return _records.empty() ? AnimationRecord{} : _records.back();
}

void AnimationLog::clear() {
    std::lock_guard lock(_mutex);
    _records.clear();
    _dropped = 0;
    _open.clear();
    _openCount.store(0, std::memory_order_release);
}

}  // namespace ui
