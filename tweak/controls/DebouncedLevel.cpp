#include "tweak/controls/DebouncedLevel.h"

namespace morvane {

DebouncedLevel::Admission DebouncedLevel::request(double level,
                                                  const std::optional<LevelRequester>& requester) {
    const std::lock_guard lock(_mutex);
    if (_pending) {
        if (!sameApp(_latest->requester, requester)) return Admission::Dropped;
        _latest->level = level;
        _latest->requester = requester;
        return Admission::Replaced;
    }
    _pending = true;
    _latest = Request{level, requester, ++_lastTicket};
    return Admission::Accepted;
}

std::optional<DebouncedLevel::Taken> DebouncedLevel::takePending() {
    const std::lock_guard lock(_mutex);
    if (!_pending) return std::nullopt;
    _pending = false;
    return Taken{_latest->level, _latest->ticket};
}

void DebouncedLevel::settle(std::uint64_t ticket) {
    const std::lock_guard lock(_mutex);
    if (!_pending && _latest && _latest->ticket == ticket) _latest.reset();
}

bool DebouncedLevel::isPending() const {
    const std::lock_guard lock(_mutex);
    return _pending;
}

std::optional<double> DebouncedLevel::restoreUnderWayFor(const std::string& bundleId) const {
    const std::lock_guard lock(_mutex);
    if (!_latest || !_latest->requester) return std::nullopt;
    const LevelRequester& requester = *_latest->requester;
    if (requester.bundleId != bundleId || requester.purpose != LevelPurpose::Restore)
        return std::nullopt;
    return _latest->level;
}

void DebouncedLevel::reset() {
    const std::lock_guard lock(_mutex);
    _pending = false;
    _latest.reset();
}

bool DebouncedLevel::sameApp(const std::optional<LevelRequester>& left,
                             const std::optional<LevelRequester>& right) {
    return left && right && left->bundleId == right->bundleId;
}

}  // namespace morvane
