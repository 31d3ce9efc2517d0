#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/unix/FileDescriptor.h"
#include "render/Picture.h"

// The Settings app while it is in front: a `Preferences` process on the phone's device root,
// on the real clock, fed its commands one line at a time. After each batch it draws its
// screen into a picture file of a private folder (its working folder) and answers its page as
// one JSON line (the rows and their frames), which the live phone shows and hit-tests.
class SettingsChild {
  public:
    // How long the process may take to answer a batch: less than a request waits for the
    // main thread, so that the request is answered with what went wrong.
    static constexpr std::chrono::milliseconds kAnswerTime{5000};
    // How long it may take to end once its input is closed, before it is killed.
    static constexpr std::chrono::milliseconds kEndTime{500};

    // Starts the process; throws std::runtime_error when it cannot.
    SettingsChild(const std::filesystem::path& program, const std::filesystem::path& root,
                  const std::filesystem::path& pictureFolder,
                  std::chrono::milliseconds answerTime = kAnswerTime);
    // Ends the process (its standard input closed, then a signal if it lingers) and reaps it.
    ~SettingsChild();
    SettingsChild(const SettingsChild&) = delete;
    SettingsChild& operator=(const SettingsChild&) = delete;

    pid_t pid() const { return _pid; }
    // Whether the process still runs; one that ended by itself is reaped here.
    bool isRunning();
    // Plays the lines, then fetches the screen and the page. Answers false when the process
    // is gone or stayed silent (it is then ended), and, sending nothing, when a line holds a
    // control character (it would be read as more than one command).
    bool play(const std::vector<std::string>& lines);

    // The page as last fetched: {"title", "rows", "offset", "back", "respring", "alert"}.
    const nlohmann::json& page() const { return _page; }
    const std::optional<render::Picture>& picture() const { return _picture; }

  private:
    void spawn(const std::filesystem::path& program, const std::filesystem::path& root,
               const std::filesystem::path& folder);
    bool send(const std::string& text);
    std::optional<std::string> takePageLine();
    std::optional<std::string> readPageLine();
    void end();

    pid_t _pid = -1;
    std::chrono::milliseconds _answerTime;
    core::FileDescriptor _input;
    core::FileDescriptor _output;
    std::string _buffered;
    std::filesystem::path _pictureFile;
    nlohmann::json _page;
    std::optional<render::Picture> _picture;
};
