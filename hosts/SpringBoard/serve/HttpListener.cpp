#include "HttpListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>

namespace {

constexpr int kBacklog = 64;

// The answer to a client over the limit, written without waiting and without a thread.
std::string tooManyConnections() {
    const std::string body = R"({"error": "too many connections are open"})";
    return "HTTP/1.1 503 Service Unavailable\r\nContent-Type: application/json\r\n"
           "Content-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace

HttpListener::HttpListener(Serve serve, HttpConnection::Limits limits)
    : _serve(std::move(serve)), _limits(limits), _wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!_wake.valid()) throw std::runtime_error("cannot make the server's wake-up descriptor");
}

HttpListener::~HttpListener() {
    stop();
}

// Plain SO_REUSEADDR: a port another server listens on is refused (SO_REUSEPORT would share
// it, splitting the clients between the two), while one left in TIME_WAIT by a phone that
// just stopped can be taken again.
int HttpListener::bind(int port) {
    if (port < 0 || port > 65535) return -1;
    core::FileDescriptor socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.valid()) return -1;
    const int yes = 1;
    ::setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket.get(), kBacklog) != 0)
        return -1;
    socklen_t length = sizeof address;
    if (::getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) return -1;
    _socket = std::move(socket);
    return ntohs(address.sin_port);
}

void HttpListener::start() {
    _acceptor = std::thread([this] { accept(); });
}

void HttpListener::accept() {
    for (;;) {
        pollfd watched[2] = {{_socket.get(), POLLIN, 0}, {_wake.get(), POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (watched[1].revents) return;
        core::FileDescriptor client(::accept4(_socket.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (client.valid()) admit(std::move(client));
    }
}

void HttpListener::admit(core::FileDescriptor socket) {
    joinFinished();
    const std::scoped_lock lock(_mutex);
    if (_clients.size() >= kMaximumConnections) {
        const std::string answer = tooManyConnections();
        ::send(socket.get(), answer.data(), answer.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        return;
    }
    // Small answers and events go out at once, not held back for an acknowledgement.
    const int yes = 1;
    ::setsockopt(socket.get(), IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    Client& client = _clients.emplace_back();
    client.connection = std::make_unique<HttpConnection>(std::move(socket), _limits);
    try {
        client.thread = std::thread([this, &client] { serveClient(client); });
    } catch (const std::system_error&) {
        _clients.pop_back();  // no thread to serve it: the connection closes
    }
}

void HttpListener::serveClient(Client& client) {
    try {
        _serve(*client.connection);
    } catch (const std::exception&) {
        // What went wrong serving one client ends its connection, never the phone.
    }
    {
        // From now on stop() leaves the socket alone: its number is given back.
        const std::scoped_lock closing(_mutex);
        client.closing = true;
    }
    client.connection->close();
    client.finished = true;
}

void HttpListener::joinFinished() {
    const std::scoped_lock lock(_mutex);
    for (auto it = _clients.begin(); it != _clients.end();) {
        if (!it->finished) {
            ++it;
            continue;
        }
        it->thread.join();
        it = _clients.erase(it);
    }
}

void HttpListener::stop() {
    if (_acceptor.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(_wake.get(), &one, sizeof one);
        _acceptor.join();
    }
    std::list<Client> ending;
    {
        const std::scoped_lock lock(_mutex);
        for (auto& client : _clients)
            if (!client.closing) client.connection->shut();
        ending.splice(ending.end(), _clients);
    }
    for (auto& client : ending) client.thread.join();
    _socket.reset();
}
