#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/unix/FileDescriptor.h"
#include "rt/NoDestroy.h"

namespace core {

// The phone's system-wide notify centre: named notifications without payload, posted by
// any process of one device root and delivered to observers on their main run loop.
//
// There is no daemon. Each name is a file in one directory of the device root; posting
// closes that file after opening it for writing, and every observing process watches the
// directory with inotify. A watch exists from the moment an observer is added, so a post
// made after that is never lost; posts that arrive together may be delivered once.
class NotifyCenter {
  public:
    static constexpr const char* kDirectory = "/var/run/notifyd";

    using Callback = std::function<void(const std::string& name)>;
    using Token = int;

    // The process's centre (the Darwin notify centre).
    static NotifyCenter& darwin();

    // Posts `name` to every observer of the device root, in this process and in others.
    // Safe from any thread. Answers false when the post could not be made (no root).
    static bool post(const std::string& name);

    // Calls `callback` on the main run loop each time any process posts `name`. Main thread.
    Token addObserver(const std::string& name, Callback callback);
    void removeObserver(Token token);

    // Forgets every observer and the watch (a fresh world, or a new device root).
    void reset();

    // The file that stands for `name` in the notification directory. Names may hold any
    // character, "/" included; long names are shortened to a stable digest.
    static std::string fileNameFor(const std::string& name);

  private:
    friend class rt::NoDestroy<NotifyCenter>;
    NotifyCenter() = default;

    struct Observer {
        Token token;
        std::string fileName;
        std::string name;
        Callback callback;
    };

    bool watch();
    void deliverPending();
    void deliver(const std::vector<std::string>& fileNames);

    std::vector<Observer> _observers;
    Token _nextToken = 1;
    FileDescriptor _inotify;
    std::optional<std::filesystem::path> _watchedDirectory;
    int _sourceId = 0;
};

}  // namespace core
