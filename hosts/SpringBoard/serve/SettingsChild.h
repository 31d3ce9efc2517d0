#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/unix/FileDescriptor.h"
#include "render/Picture.h"

// The Settings app while it is in front: a `Preferences` process on the phone's device root,
// on the real clock, fed its commands one line at a time. After each batch it draws its
// screen into a picture file of a private folder and answers its page as one JSON line
// (the rows and their frames), which the live phone shows and hit-tests.
class SettingsChild {
  public:
    // Starts the process; throws std::runtime_error when it cannot.
    SettingsChild(const std::filesystem::path& program, const std::filesystem::path& root,
                  const std::filesystem::path& pictureFolder);
    // Ends the process (its standard input closed, then a signal if it lingers) and reaps it.
    ~SettingsChild();
    SettingsChild(const SettingsChild&) = delete;
    SettingsChild& operator=(const SettingsChild&) = delete;

    pid_t pid() const { return _pid; }
    bool isRunning() const { return _pid > 0; }
    // Plays the lines, then fetches the screen and the page. Answers false when the process
    // is gone or stayed silent (it is then ended).
    bool play(const std::vector<std::string>& lines);

    // The page as last fetched: {"title", "rows", "offset", "back", "respring", "alert"}.
    const nlohmann::json& page() const { return _page; }
    const std::optional<render::Picture>& picture() const { return _picture; }

  private:
    void spawn(const std::filesystem::path& program, const std::filesystem::path& root);
    bool send(const std::string& text);
    std::optional<std::string> readPageLine();
    void end();

    pid_t _pid = -1;
    core::FileDescriptor _input;
    core::FileDescriptor _output;
    std::string _buffered;
    std::filesystem::path _pictureFile;
    nlohmann::json _page;
    std::optional<render::Picture> _picture;
};
