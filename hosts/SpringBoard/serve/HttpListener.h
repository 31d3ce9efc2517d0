#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "HttpConnection.h"
#include "core/unix/FileDescriptor.h"

// The live phone's listening socket on 127.0.0.1 and a thread for each client's connection,
// at most kMaximumConnections at once (one more is answered 503 and closed). stop() ends
// every connection at once, whatever it was waiting for, and joins its thread.
class HttpListener {
  public:
    static constexpr int kMaximumConnections = 32;
    using Serve = std::function<void(HttpConnection&)>;

    HttpListener(Serve serve, HttpConnection::Limits limits);
    ~HttpListener();
    HttpListener(const HttpListener&) = delete;
    HttpListener& operator=(const HttpListener&) = delete;

    // Listens on 127.0.0.1 at `port` (0: a free one); answers the port, or -1 when the port
    // is taken or cannot be had.
    int bind(int port);
    // Accepts on a thread of its own until stop().
    void start();
    void stop();

  private:
    struct Client {
        std::unique_ptr<HttpConnection> connection;
        std::thread thread;
        bool closing = false;  // guarded by _mutex
        std::atomic<bool> finished{false};
    };

    void accept();
    void admit(core::FileDescriptor socket);
    void serveClient(Client& client);
    void joinFinished();

    Serve _serve;
    HttpConnection::Limits _limits;
    core::FileDescriptor _socket;
    core::FileDescriptor _wake;  // an eventfd that tells the accepting thread to end
    std::thread _acceptor;
    std::mutex _mutex;
    std::list<Client> _clients;
};
