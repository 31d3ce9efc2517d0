#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "HostSession.h"
#include "SettingsChild.h"

// The phone a person drives from the page: its home screen with the installed apps, the
// app in front, the side buttons, a restart of the home screen, and the Settings app as a
// process of its own while it is in front. Main thread.
class LivePhone {
  public:
    // The Settings app's icon: the app whose entry opens the `Preferences` process.
    static constexpr const char* kSettingsApp = "com.apple.settings";
    enum class Screen { Home, App, Settings };

    struct Places {
        std::filesystem::path tools;          // where Preferences is
        std::filesystem::path root;           // the device root
        std::filesystem::path pictureFolder;  // private: the Settings app's pictures
    };

    LivePhone(HostSession& session, Places places, std::vector<std::string> apps);

    // Installs the apps (the Settings app last).
    void start();
    const std::vector<std::string>& apps() const { return _apps; }

    // The app's entry: what `launch` does; the Settings app starts its process.
    void launch(const std::string& bundleIdentifier);
    // The Home button: a menu open closes, the app in front goes home.
    void home();
    // A volume button: the user's own change, with its overlay.
    void stepVolume(int direction);
    // The page's Respring button: the app in front goes home, then the home screen restarts.
    void respring();
    // Makes a restart another process asked for (the pane's Respring), once the main loop
    // has served its notification; a Settings app that ended by itself goes home.
    void restartIfAsked();
    // Plays lines in the Settings app in front (the finger's taps and scrolls). One that stopped
    // answering is ended and goes home; either failure is kept as a problem.
    void playInSettings(const std::vector<std::string>& lines);
    // Ends the Settings app's process: the host is stopping.
    void shutDown() { _settings.reset(); }

    // Keeps a problem met doing what was asked (also told on standard error).
    void noteProblem(const std::string& problem);
    // The problems kept since the last call, which forgets them.
    std::vector<std::string> takeProblems();

    Screen screen() const;
    const std::optional<std::string>& front() const { return _front; }
    SettingsChild* settings() { return _settings.get(); }
    // Counts every change made through this object or noted by noteChange.
    std::uint64_t changes() const { return _changes; }
    void noteChange() { ++_changes; }
    // Reload notifications of the settings the home screen has handled.
    int reloadsHandled() const { return _session.reloadsHandled(); }

  private:
    void leaveApp();
    bool startSettings();
    void afterRestart();

    HostSession& _session;
    Places _places;
    std::vector<std::string> _apps;
    std::optional<std::string> _front;
    std::unique_ptr<SettingsChild> _settings;
    std::uint64_t _changes = 0;
    std::vector<std::string> _problems;
};
