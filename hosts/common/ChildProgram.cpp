#include "ChildProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "core/unix/FileDescriptor.h"

extern char** environ;

namespace {

struct Channels {
    core::FileDescriptor input;   // ours: the child's standard input is the other end
    core::FileDescriptor errors;  // ours: the child's standard error is the other end
    core::FileDescriptor childInput;
    core::FileDescriptor childErrors;
};

bool openChannels(Channels& channels) {
    int inputPair[2];
    int errorPipe[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, inputPair) != 0) return false;
    channels.input = core::FileDescriptor(inputPair[0]);
    channels.childInput = core::FileDescriptor(inputPair[1]);
    if (::pipe2(errorPipe, O_CLOEXEC) != 0) return false;
    channels.errors = core::FileDescriptor(errorPipe[0]);
    channels.childErrors = core::FileDescriptor(errorPipe[1]);
    ::shutdown(channels.input.get(), SHUT_RD);
    return ::fcntl(channels.input.get(), F_SETFL, O_NONBLOCK) == 0 &&
           ::fcntl(channels.errors.get(), F_SETFL, O_NONBLOCK) == 0;
}

pid_t spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            const Channels& channels) {
    std::vector<std::string> words = {program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, channels.childInput.get(), STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, channels.childErrors.get(), STDERR_FILENO);
    pid_t child = 0;
    const int failed =
        ::posix_spawn(&child, words[0].c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? child : -1;
}

// Feeds the input and collects the errors until the child has closed its standard error.
void exchange(Channels& channels, const std::string& input, std::string& errors) {
    std::size_t sent = 0;
    if (input.empty()) channels.input = core::FileDescriptor();
    while (channels.errors.valid()) {
        pollfd watched[2] = {{channels.errors.get(), POLLIN, 0},
                             {channels.input.valid() ? channels.input.get() : -1, POLLOUT, 0}};
        if (::poll(watched, 2, -1) < 0 && errno != EINTR) return;
        if (watched[1].revents != 0) {
            const ssize_t count = ::send(channels.input.get(), input.data() + sent,
                                         input.size() - sent, MSG_NOSIGNAL);
            if (count > 0) sent += static_cast<std::size_t>(count);
            if (count < 0 && errno != EAGAIN && errno != EINTR) sent = input.size();
            if (sent == input.size()) channels.input = core::FileDescriptor();
        }
        if (watched[0].revents != 0) {
            char buffer[4096];
            const ssize_t count = ::read(channels.errors.get(), buffer, sizeof buffer);
            if (count > 0) errors.append(buffer, static_cast<std::size_t>(count));
            if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR))
                channels.errors = core::FileDescriptor();
        }
    }
}

}  // namespace

ChildProgram::Result ChildProgram::run(const std::filesystem::path& program,
                                       const std::vector<std::string>& arguments,
                                       const std::string& input) {
    Result result;
    Channels channels;
    if (!openChannels(channels)) return result;
    const pid_t child = spawn(program, arguments, channels);
    channels.childInput = core::FileDescriptor();
    channels.childErrors = core::FileDescriptor();
    if (child < 0) return result;
    exchange(channels, input, result.errors);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return result;
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
