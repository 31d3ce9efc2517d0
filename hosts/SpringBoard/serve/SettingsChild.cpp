#include "SettingsChild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

// How long the Settings app may take to answer a batch, and to end when asked.
constexpr int kAnswerMilliseconds = 10000;
constexpr int kEndMilliseconds = 1000;

core::FileDescriptor pipeEnd(int (&ends)[2], int which) {
    return core::FileDescriptor(ends[which]);
}

}  // namespace

SettingsChild::SettingsChild(const std::filesystem::path& program,
                             const std::filesystem::path& root,
                             const std::filesystem::path& pictureFolder)
    : _pictureFile(pictureFolder / "settings.png") {
    spawn(program, root);
}

SettingsChild::~SettingsChild() {
    end();
}

void SettingsChild::spawn(const std::filesystem::path& program, const std::filesystem::path& root) {
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    core::FileDescriptor childInput = pipeEnd(toChild, 0);
    _input = pipeEnd(toChild, 1);
    if (::pipe2(fromChild, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    _output = pipeEnd(fromChild, 0);
    core::FileDescriptor childOutput = pipeEnd(fromChild, 1);
    std::vector<std::string> words = {program.string(), "--root",       root.string(),
                                      "--real-time",    "--keep-going", "-"};
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, childInput.get(), STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, childOutput.get(), STDOUT_FILENO);
    // The host blocks the stopping signals in its threads; the child starts without that.
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    const int failed =
        ::posix_spawn(&_pid, words[0].c_str(), &actions, &attributes, argv.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        _pid = -1;
        throw std::runtime_error("cannot start " + program.string());
    }
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

// The next line that is a JSON object; the other lines (alerts told) are passed over.
std::optional<std::string> SettingsChild::readPageLine() {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnswerMilliseconds);
    for (;;) {
        for (auto end = _buffered.find('\n'); end != std::string::npos;
             end = _buffered.find('\n')) {
            std::string line = _buffered.substr(0, end);
            _buffered.erase(0, end + 1);
            if (!line.empty() && line.front() == '{') return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd watched{_output.get(), POLLIN, 0};
        if (::poll(&watched, 1, static_cast<int>(left.count())) < 0 && errno != EINTR)
            return std::nullopt;
        char chunk[8192];
        const ssize_t count = ::read(_output.get(), chunk, sizeof chunk);
        if (count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN)) return std::nullopt;
        if (count > 0) _buffered.append(chunk, static_cast<std::size_t>(count));
    }
}

bool SettingsChild::play(const std::vector<std::string>& lines) {
    if (!isRunning()) return false;
    std::string batch;
    for (const auto& line : lines) batch += line + "\n";
    batch += "snapshot " + _pictureFile.string() + "\nprint frames\n";
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
    for (int waited = 0; waited < kEndMilliseconds; waited += 10) {
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
