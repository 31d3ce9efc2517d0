#include "PictureCommands.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>

#include "ScenarioError.h"
#include "ScreenCapture.h"

bool PictureCommands::handles(const std::string& command) {
    return command == "snapshot" || command == "plot";
}

void PictureCommands::run(const ScenarioLine& line) {
    const std::string& command = line.words[0];
    if (line.words.size() != 2) throw ScenarioError("expected: " + command + " <file.png>");
    ScreenCapture::settle();
    const render::Picture picture =
        command == "snapshot" ? ScreenCapture::screenPicture() : ScreenCapture::timelinePicture();
    try {
        picture.writePng(line.words[1]);
    } catch (const std::runtime_error& error) {
        throw ScenarioError(error.what());
    }
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

void SnapshotRecorder::afterCommand(const ScenarioLine& line) {
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
