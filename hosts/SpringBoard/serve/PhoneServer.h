#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

#include "AccessGuard.h"
#include "FrameBoard.h"
#include "HttpConnection.h"
#include "HttpListener.h"
#include "Inbox.h"

// The live phone's HTTP server (Boost.Beast's parser, a thread per client): the page and its
// files, the state, the latest picture, the timeline plot, the pointer and the side buttons,
// and a channel of server-sent events that tells each open page when a new picture is ready.
// Everything that touches the phone is handed to the main thread through the inbox.
class PhoneServer {
  public:
    static constexpr std::size_t kMaximumHeader = 8 * 1024;
    static constexpr std::size_t kMaximumBody = 4 * 1024;
    static constexpr int kMaximumEventClients = 16;
    // A client that takes longer than this to take an answer or an event is dropped.
    static constexpr int kWriteTimeoutMilliseconds = 2000;

    // What the routes ask of the main thread.
    struct Phone {
        std::function<std::string()> state;  // JSON
        std::function<std::string()> plot;   // JPEG of the timeline
        // A pointer event or a button: "" when done, else the problem that stopped it.
        std::function<std::string(const std::string& kind, double x, double y)> pointer;
        std::function<std::string(const std::string& name)> button;
    };

    PhoneServer(AccessGuard& guard, Inbox& inbox, FrameBoard& board, Phone phone,
                std::filesystem::path pageFolder);
    ~PhoneServer();

    // Binds 127.0.0.1 at `port` (0: a free one); answers the port, or -1.
    int bind(int port);
    // Serves on threads of its own until stop().
    void start();
    // Ends every connection at once and joins the server's threads.
    void stop();
    // Serves one client's connection until it ends (on the connection's own thread).
    void serve(HttpConnection& connection);

  private:
    struct Answer;

    bool respond(HttpConnection& connection, const HttpConnection::Request& request);
    Answer route(const HttpConnection::Request& request, const std::string& path);
    Answer pageFile(const std::string& name, const char* type) const;
    Answer pointer(const HttpConnection::Request& request);
    Answer button(const std::string& name);
    Answer askPhone(std::function<std::string()> task, const char* type);
    Answer askPhoneToAct(std::function<std::string()> action);
    void sendEvents(HttpConnection& connection);

    AccessGuard& _guard;
    Inbox& _inbox;
    FrameBoard& _board;
    Phone _phone;
    std::filesystem::path _pageFolder;
    HttpListener _listener;
    std::atomic<int> _eventClients{0};
};
