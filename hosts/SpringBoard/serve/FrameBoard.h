#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

// The latest picture of the screen (encoded) and the state it shows, numbered. Only the
// latest is kept: a browser that is slow gets the newest picture, never a backlog, and the
// phone never waits for it. A picture is numbered apart from the frames (a glide publishes
// states over one picture), and kept also as a data URL, made once, that the event channel
// pushes with the state so that the page shows it without asking for it.
class FrameBoard {
  public:
    struct Frame {
        std::uint64_t number = 0;
        std::uint64_t pictureNumber = 0;
        std::shared_ptr<const std::string> picture;         // JPEG
        std::shared_ptr<const std::string> pictureDataUrl;  // "data:image/jpeg;base64,…"
        std::shared_ptr<const std::string> state;           // JSON
    };

    // A picture other than the last one published (not the same object) is a new picture.
    // Frames are published from one thread.
    void publish(std::shared_ptr<const std::string> picture, std::string state);
    void publish(std::string picture, std::string state);
    Frame latest() const;
    // Waits until a frame newer than `seen` is there; none after `timeoutSeconds` or once
    // the board is closed.
    std::optional<Frame> waitNewer(std::uint64_t seen, double timeoutSeconds) const;
    void close();
    bool isClosed() const;

  private:
    mutable std::mutex _mutex;
    mutable std::condition_variable _changed;
    Frame _latest;
    bool _closed = false;
};
