#include "SettingsChild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

// The picture file, named bare: the process works in the private folder, so the name is one
// word of its script whatever the folder's path holds (blanks, a '#').
constexpr const char* kPictureName = "settings.png";

core::FileDescriptor pipeEnd(int (&ends)[2], int which) {
    return core::FileDescriptor(ends[which]);
}

bool holdsControlCharacter(const std::string& line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

// What the child starts with: its working folder, its standard input and output from the
// pipes and no other descriptor of the host (the server's connections stay the server's).
struct ChildFiles {
    ChildFiles(int input, int output, const std::filesystem::path& folder) {
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
        ::posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
        ::posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        ::posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    }
    ~ChildFiles() { ::posix_spawn_file_actions_destroy(&actions); }
    ChildFiles(const ChildFiles&) = delete;
    ChildFiles& operator=(const ChildFiles&) = delete;

    posix_spawn_file_actions_t actions;
};

// The host blocks the stopping signals in its threads and ignores SIGPIPE; the child starts
// with neither.
struct ChildSignals {
    ChildSignals() {
        ::posix_spawnattr_init(&attributes);
        sigset_t none;
        sigemptyset(&none);
        ::posix_spawnattr_setsigmask(&attributes, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        ::posix_spawnattr_setsigdefault(&attributes, &defaults);
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~ChildSignals() { ::posix_spawnattr_destroy(&attributes); }
    ChildSignals(const ChildSignals&) = delete;
    ChildSignals& operator=(const ChildSignals&) = delete;

    posix_spawnattr_t attributes;
};

}  // namespace

SettingsChild::SettingsChild(const std::filesystem::path& program,
                             const std::filesystem::path& root,
                             const std::filesystem::path& pictureFolder,
                             std::chrono::milliseconds answerTime)
    : _answerTime(answerTime),
      _pictureFile(std::filesystem::absolute(pictureFolder) / kPictureName) {
    spawn(std::filesystem::absolute(program), std::filesystem::absolute(root),
          _pictureFile.parent_path());
}

SettingsChild::~SettingsChild() {
    end();
}

void SettingsChild::spawn(const std::filesystem::path& program, const std::filesystem::path& root,
                          const std::filesystem::path& folder) {
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    core::FileDescriptor childInput = pipeEnd(toChild, 0);
    _input = pipeEnd(toChild, 1);
    if (::pipe2(fromChild, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    _output = pipeEnd(fromChild, 0);
    core::FileDescriptor childOutput = pipeEnd(fromChild, 1);
    // Only this end waits with a deadline; the child writes to a blocking pipe.
    ::fcntl(_output.get(), F_SETFL, ::fcntl(_output.get(), F_GETFL) | O_NONBLOCK);
    std::vector<std::string> words = {program.string(), "--root",       root.string(),
                                      "--real-time",    "--keep-going", "-"};
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const ChildFiles files(childInput.get(), childOutput.get(), folder);
    const ChildSignals signals;
    const int failed = ::posix_spawn(&_pid, words[0].c_str(), &files.actions, &signals.attributes,
                                     argv.data(), environ);
    if (failed != 0) {
        _pid = -1;
        throw std::runtime_error("cannot start " + program.string());
    }
}

bool SettingsChild::isRunning() {
    if (_pid <= 0) return false;
    int status = 0;
    if (::waitpid(_pid, &status, WNOHANG) == _pid) _pid = -1;
    return _pid > 0;
}

bool SettingsChild::send(const std::string& text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t count = ::write(_input.get(), text.data() + sent, text.size() - sent);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        sent += static_cast<std::size_t>(count);
    }
    return true;
}

// The next buffered line that is a JSON object; the other lines (alerts told) are dropped.
std::optional<std::string> SettingsChild::takePageLine() {
    for (auto end = _buffered.find('\n'); end != std::string::npos; end = _buffered.find('\n')) {
        std::string line = _buffered.substr(0, end);
        _buffered.erase(0, end + 1);
        if (!line.empty() && line.front() == '{') return line;
    }
    return std::nullopt;
}

// Waits for the page line until the answer time is out: a silent process never holds the
// main thread longer.
std::optional<std::string> SettingsChild::readPageLine() {
    const auto deadline = std::chrono::steady_clock::now() + _answerTime;
    for (;;) {
        if (auto line = takePageLine()) return line;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd watched{_output.get(), POLLIN, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left.count()) + 1);
        if (ready < 0 && errno != EINTR) return std::nullopt;
        if (ready <= 0) continue;
        char chunk[8192];
        const ssize_t count = ::read(_output.get(), chunk, sizeof chunk);
        if (count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN)) return std::nullopt;
        if (count > 0) _buffered.append(chunk, static_cast<std::size_t>(count));
    }
}

bool SettingsChild::play(const std::vector<std::string>& lines) {
    if (std::any_of(lines.begin(), lines.end(), holdsControlCharacter)) return false;
    if (!isRunning()) return false;
    std::string batch;
    for (const auto& line : lines) batch += line + "\n";
    batch += std::string("snapshot ") + kPictureName + "\nprint frames\n";
    const auto answer = send(batch) ? readPageLine() : std::nullopt;
    if (!answer) {
        end();
        return false;
    }
    _page = nlohmann::json::parse(*answer, nullptr, false);
    _picture = render::Picture::readPng(_pictureFile);
    return !_page.is_discarded();
}

void SettingsChild::end() {
    if (_pid <= 0) return;
    _input = core::FileDescriptor();
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + kEndTime;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(_pid, &status, WNOHANG) == _pid) {
            _pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(_pid, SIGKILL);
    while (::waitpid(_pid, &status, 0) < 0 && errno == EINTR) {
    }
    _pid = -1;
}
