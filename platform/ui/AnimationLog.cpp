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
    return sequence;
}

void AnimationLog::dropOldest() {
    _records.pop_front();
    ++_dropped;
}

void AnimationLog::end() {
    std::lock_guard lock(_mutex);
    if (!_open.empty()) _open.pop_back();
}

void AnimationLog::noteChange(View* view, const char* property) {
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
}

}  // namespace ui
