#include "ui/AnimationLog.h"

#include "ui/View.h"

namespace ui {

AnimationLog& AnimationLog::shared() {
    static rt::NoDestroy<AnimationLog> log;
    return *log;
}

std::size_t AnimationLog::begin(AnimationRecord record) {
    std::lock_guard lock(_mutex);
    _records.push_back(std::move(record));
    _open.push_back(_records.size() - 1);
    return _records.size() - 1;
}

void AnimationLog::end() {
    std::lock_guard lock(_mutex);
    if (!_open.empty()) _open.pop_back();
}

void AnimationLog::noteChange(View* view, const char* property) {
    std::lock_guard lock(_mutex);
    if (_open.empty()) return;
    _records[_open.back()].changes.push_back({rt::Weak<View>(view), property});
}

bool AnimationLog::isAnimating() const {
    std::lock_guard lock(_mutex);
    return !_open.empty();
}

std::vector<AnimationRecord> AnimationLog::records() const {
    std::lock_guard lock(_mutex);
    return _records;
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
    _open.clear();
}

}  // namespace ui
