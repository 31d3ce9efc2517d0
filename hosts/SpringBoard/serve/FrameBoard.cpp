#include "FrameBoard.h"

#include <chrono>

void FrameBoard::publish(std::string picture, std::string state) {
    {
        std::lock_guard lock(_mutex);
        _latest = {_latest.number + 1, std::make_shared<const std::string>(std::move(picture)),
                   std::make_shared<const std::string>(std::move(state))};
    }
    _changed.notify_all();
}

FrameBoard::Frame FrameBoard::latest() const {
    std::lock_guard lock(_mutex);
    return _latest;
}

std::optional<FrameBoard::Frame> FrameBoard::waitNewer(std::uint64_t seen,
                                                       double timeoutSeconds) const {
    std::unique_lock lock(_mutex);
    const bool newer = _changed.wait_for(lock, std::chrono::duration<double>(timeoutSeconds),
                                         [&] { return _closed || _latest.number > seen; });
    if (!newer || _closed) return std::nullopt;
    return _latest;
}

void FrameBoard::close() {
    {
        std::lock_guard lock(_mutex);
        _closed = true;
    }
    _changed.notify_all();
}

bool FrameBoard::isClosed() const {
    std::lock_guard lock(_mutex);
    return _closed;
}
