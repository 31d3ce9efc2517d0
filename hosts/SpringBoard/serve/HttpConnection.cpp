#include "HttpConnection.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>

#include <boost/asio/buffer.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/parser.hpp>

namespace http = boost::beast::http;

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

http::status refusalFor(const boost::beast::error_code& failure) {
    if (failure == http::error::header_limit) return http::status::request_header_fields_too_large;
    if (failure == http::error::body_limit) return http::status::payload_too_large;
    return http::status::bad_request;
}

}  // namespace

HttpConnection::HttpConnection(core::FileDescriptor socket, Limits limits)
    : _socket(std::move(socket)), _limits(limits) {}

HttpConnection::Incoming HttpConnection::read() {
    http::request_parser<http::string_body> parser;
    parser.header_limit(static_cast<std::uint32_t>(_limits.headerBytes));
    parser.body_limit(_limits.bodyBytes);
    parser.eager(true);
    std::optional<Clock::time_point> deadline;  // set by the request's first byte
    for (;;) {
        if (!_received.empty()) {
            deadline = deadline.value_or(Clock::now() +
                                         std::chrono::milliseconds(_limits.readMilliseconds));
            boost::beast::error_code failure;
            const std::size_t used =
                parser.put(boost::asio::buffer(_received.data(), _received.size()), failure);
            _received.erase(0, used);
            if (failure && failure != http::error::need_more) return {{}, refusalFor(failure)};
            if (parser.is_done()) return {parser.release(), {}};
            if (used > 0 && !_received.empty()) continue;
        }
        const int wait = deadline ? millisecondsUntil(*deadline) : _limits.idleMilliseconds;
        if (!receive(wait)) return {};
    }
}

// Appends what arrives within the time; false when nothing came or the client is gone.
bool HttpConnection::receive(int milliseconds) {
    // Beyond a header and a body, a client sends more than a request may hold: the parser
    // refuses it before, so this is only a floor under that.
    if (_received.size() > _limits.headerBytes + _limits.bodyBytes) return false;
    pollfd watched{_socket.get(), POLLIN, 0};
    if (::poll(&watched, 1, milliseconds) <= 0) return false;
    char chunk[8192];
    for (;;) {
        const ssize_t count = ::recv(_socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        _received.append(chunk, static_cast<std::size_t>(count));
        return true;
    }
}

bool HttpConnection::write(std::string_view bytes) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(_limits.writeMilliseconds);
    while (!bytes.empty()) {
        const ssize_t count =
            ::send(_socket.get(), bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (count > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
        pollfd watched{_socket.get(), POLLOUT, 0};
        const int wait = millisecondsUntil(deadline);
        if (wait <= 0 || ::poll(&watched, 1, wait) <= 0) return false;
        if (watched.revents & (POLLERR | POLLHUP)) return false;
    }
    return true;
}

void HttpConnection::shut() {
    if (_socket.valid()) ::shutdown(_socket.get(), SHUT_RDWR);
}

void HttpConnection::close() {
    constexpr int kLingerMilliseconds = 250;
    constexpr std::size_t kLingerBytes = 1 << 20;
    ::shutdown(_socket.get(), SHUT_WR);
    const auto deadline = Clock::now() + std::chrono::milliseconds(kLingerMilliseconds);
    std::size_t dropped = 0;
    char chunk[8192];
    for (int wait = kLingerMilliseconds; wait > 0 && dropped < kLingerBytes;
         wait = millisecondsUntil(deadline)) {
        pollfd watched{_socket.get(), POLLIN, 0};
        if (::poll(&watched, 1, wait) <= 0) break;
        const ssize_t count = ::recv(_socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (count <= 0) break;
        dropped += static_cast<std::size_t>(count);
    }
    _received.clear();
    _socket.reset();
}
