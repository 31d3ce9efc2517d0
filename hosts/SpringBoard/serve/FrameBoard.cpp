#include "FrameBoard.h"

#include <chrono>

#include "core/plist/PlistBase64.h"

namespace {

std::shared_ptr<const std::string> dataUrlOf(const std::string& jpeg) {
    auto url = std::make_shared<std::string>("data:image/jpeg;base64,");
    url->reserve(url->size() + (jpeg.size() + 2) / 3 * 4);
    core::PlistBase64::append(*url, reinterpret_cast<const std::uint8_t*>(jpeg.data()),
                              jpeg.size());
    return url;
}

}  // namespace

void FrameBoard::publish(std::shared_ptr<const std::string> picture, std::string state) {
    auto stateText = std::make_shared<const std::string>(std::move(state));
    // Made outside the lock: readers of the latest frame never wait for the encoding.
    std::shared_ptr<const std::string> dataUrl;
    {
        std::lock_guard lock(_mutex);
        if (picture == _latest.picture) dataUrl = _latest.pictureDataUrl;
    }
    if (!dataUrl && picture) dataUrl = dataUrlOf(*picture);
    {
        std::lock_guard lock(_mutex);
        const bool newPicture = picture != _latest.picture;
        _latest = {_latest.number + 1, _latest.pictureNumber + (newPicture ? 1 : 0),
                   std::move(picture), std::move(dataUrl), std::move(stateText)};
    }
    _changed.notify_all();
}

void FrameBoard::publish(std::string picture, std::string state) {
    publish(std::make_shared<const std::string>(std::move(picture)), std::move(state));
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
