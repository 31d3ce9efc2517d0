#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <boost/beast/http/message.hpp>
#include <boost/beast/http/status.hpp>
#include <boost/beast/http/string_body.hpp>

#include "core/unix/FileDescriptor.h"

// One client's connection to the live phone's server: requests read with Boost.Beast's
// parser within fixed limits (a header, a body, the time a client may take), answers written
// whole or not at all within a time. Whatever a client sends, a connection holds at most a
// header and a body in memory. Used by one thread; shut() may come from another to end it.
class HttpConnection {
  public:
    using Request = boost::beast::http::request<boost::beast::http::string_body>;

    struct Limits {
        std::size_t headerBytes = 8 * 1024;
        std::size_t bodyBytes = 4 * 1024;
        int idleMilliseconds = 5000;   // between requests
        int readMilliseconds = 5000;   // from a request's first byte to its last
        int writeMilliseconds = 2000;  // for one answer: a client that takes longer is dropped
    };

    // What came: a request, or the status that refuses a malformed or too large one, or
    // neither when the client closed, went silent or the connection was shut.
    struct Incoming {
        std::optional<Request> request;
        std::optional<boost::beast::http::status> refusal;
    };

    HttpConnection(core::FileDescriptor socket, Limits limits);

    Incoming read();
    bool write(std::string_view bytes);
    // Ends the connection from another thread: a read or write under way returns at once.
    void shut();
    // Closes the connection once served: what was answered is sent on, and what the client
    // still sends is read and dropped for a moment, so that the answer is not lost to a reset.
    void close();

  private:
    bool receive(int milliseconds);

    core::FileDescriptor _socket;
    Limits _limits;
    std::string _received;  // bytes received and not yet parsed
};
