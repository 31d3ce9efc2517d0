#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "ScriptLine.h"
#include "render/Picture.h"

// The scenario commands that write pictures: `snapshot <file.png>` (the phone's own
// screenshot, the same at every brightness), `snapshot --as-seen <file.png>` (the screen as
// the eye sees the glass, darker at lower brightness) and `plot <file.png>` (the timeline). Files are paths of this machine, absolute or
// relative to the current directory.
class PictureCommands {
  public:
    // Each throws ScriptError for a file that cannot be written.
    static std::vector<ScriptCommand> commands();
};

// `SpringBoard --snapshots DIR`: after every command that changed the screen, the screen as
// a numbered picture, "0001-launch.png"; "0000-start.png" is the screen before the first.
class SnapshotRecorder {
  public:
    // Makes the directory when it is missing; throws std::runtime_error when it cannot.
    explicit SnapshotRecorder(std::filesystem::path directory);

    void start();
    void afterCommand(const ScriptLine& line);
    int written() const { return _written; }

  private:
    void record(const std::string& label);

    std::filesystem::path _directory;
    std::optional<render::Picture> _last;
    int _written = 0;
};
