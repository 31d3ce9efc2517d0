// libFuzzer target for the live phone's server: whatever bytes a client sends on a connection
// are read with the parser's limits and refused or answered, and the connection ends. Nothing
// else may happen: no crash, no exception out of the server, and every answer is HTTP.
// The phone behind the routes is a stand-in answering at once; the routes, the token, Host and
// Origin checks, the query decoding and the JSON bodies are the server's own.
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

#include "AccessGuard.h"
#include "FrameBoard.h"
#include "HttpConnection.h"
#include "Inbox.h"
#include "PhoneServer.h"

namespace {

constexpr std::size_t kLargestInput = 64 * 1024;

PhoneServer::Phone standInPhone() {
    return {
        [] { return std::string(R"({"volume": 0.5})"); },
        [] { return std::string("plot"); },
        [](const std::string& kind, double, double) {
            return kind == "cancel" ? std::string("no finger is down") : std::string();
        },
        [](const std::string&) { return std::string(); },
    };
}

// The server with a main thread that serves its inbox. The board is closed, so a request for
// the event channel is answered with its header and ends instead of waiting for frames.
struct Harness {
    AccessGuard guard{"fuzz-token"};
    Inbox inbox;
    FrameBoard board;
    PhoneServer server{guard, inbox, board, standInPhone(), MORVANE_PHONE_PAGE};
    std::atomic<bool> ending{false};
    std::thread mainThread;

    Harness() {
        guard.setPort(8123);
        board.publish(std::string("jpeg"), R"({"volume": 0.5})");
        board.close();
        mainThread = std::thread([this] {
            while (!ending) {
                pollfd watched{inbox.fd(), POLLIN, 0};
                if (::poll(&watched, 1, 20) > 0) inbox.serve();
            }
        });
    }
    ~Harness() {
        ending = true;
        mainThread.join();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Harness harness;
    if (size > kLargestInput) return 0;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) std::abort();
    const core::FileDescriptor client(ends[1]);
    HttpConnection::Limits limits;
    limits.writeMilliseconds = 10;  // answers beyond the socket's buffer end the connection
    HttpConnection connection(core::FileDescriptor(ends[0]), limits);
    if (size > 0 && ::send(client.get(), data, size, MSG_NOSIGNAL) != static_cast<ssize_t>(size))
        std::abort();
    ::shutdown(client.get(), SHUT_WR);
    harness.server.serve(connection);
    char answer[16] = {};
    const ssize_t count = ::recv(client.get(), answer, 7, MSG_DONTWAIT);
    if (count > 0 && std::string(answer, static_cast<std::size_t>(count)) != "HTTP/1.")
        std::abort();
    return 0;
}
