#include "PictureCommands.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>

#include "ScreenCapture.h"
#include "ScriptError.h"

namespace {

void write(const render::Picture& picture, const std::string& file) {
    try {
        picture.writePng(file);
    } catch (const std::runtime_error& error) {
        throw ScriptError(error.what());
    }
}

}  // namespace

std::vector<ScriptCommand> PictureCommands::commands() {
    return {
        {"snapshot", "<file.png>",
         [](const ScriptLine& line) {
             ScreenCapture::settle();
             write(ScreenCapture::screenPicture(), line.words[1]);
         },
         "runs the tasks due now, then draws the phone's screenshot into a PNG picture"},
        {"snapshot --as-seen", "<file.png>",
         [](const ScriptLine& line) {
             ScreenCapture::settle();
             write(ScreenCapture::screenPicture(true), line.words[2]);
         },
         "the screen as the eye sees the glass: darker at lower brightness"},
        {"plot", "<file.png>",
         [](const ScriptLine& line) {
             ScreenCapture::settle();
             write(ScreenCapture::timelinePicture(), line.words[1]);
         },
         "draws the timeline so far into a PNG picture"},
    };
}

SnapshotRecorder::SnapshotRecorder(std::filesystem::path directory)
    : _directory(std::move(directory)) {
    std::error_code error;
    std::filesystem::create_directories(_directory, error);
    if (!std::filesystem::is_directory(_directory))
        throw std::runtime_error("cannot make the snapshot directory " + _directory.string());
}

void SnapshotRecorder::start() {
    record("start");
}

void SnapshotRecorder::afterCommand(const ScriptLine& line) {
    ScreenCapture::settle();
    record(line.words.empty() ? "line" : line.words[0]);
}

void SnapshotRecorder::record(const std::string& label) {
    render::Picture picture = ScreenCapture::screenPicture();
    if (_last && _last->samePixelsAs(picture)) return;
    std::string safeLabel;
    for (char c : label.substr(0, 32))
        safeLabel += std::isalnum(static_cast<unsigned char>(c)) || c == '-' ? c : '_';
    char number[16];
    std::snprintf(number, sizeof number, "%04d-", _written);
    picture.writePng(_directory / (number + safeLabel + ".png"));
    ++_written;
    _last.emplace(std::move(picture));
}
