#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "AccessGuard.h"
#include "FrameBoard.h"
#include "Inbox.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

// The live phone's HTTP server (cpp-httplib) on its own threads: the page and its files, the
// state, the latest picture, the timeline plot, the pointer and the side buttons, and a
// channel of server-sent events that tells each open page when a new picture is ready.
// Everything that touches the phone is handed to the main thread through the inbox.
class PhoneServer {
  public:
    static constexpr std::size_t kMaximumBody = 4096;
    static constexpr int kMaximumEventClients = 16;
    // A client that takes longer than this to take what is written to it is dropped.
    static constexpr int kWriteTimeoutSeconds = 2;

    // What the routes ask of the main thread: each answers JSON text (or a picture).
    struct Phone {
        std::function<std::string()> state;
        std::function<std::string()> plot;  // JPEG of the timeline
        // A pointer event or a button; answers "" when done, else why it was refused.
        std::function<std::string(const std::string& kind, double x, double y)> pointer;
        std::function<std::string(const std::string& name)> button;
    };

    PhoneServer(AccessGuard& guard, Inbox& inbox, FrameBoard& board, Phone phone,
                std::filesystem::path pageFolder);
    ~PhoneServer();

    // Binds 127.0.0.1 at `port` (0: a free one); answers the port, or -1.
    int bind(int port);
    // Serves on a thread of its own until stop().
    void start();
    void stop();

  private:
    void addRoutes();
    void addPageRoutes();
    void addEventRoute();
    bool allowed(const httplib::Request& request, httplib::Response& response) const;
    void answerFromPhone(httplib::Response& response, std::function<std::string()> task,
                         const char* type);

    AccessGuard& _guard;
    Inbox& _inbox;
    FrameBoard& _board;
    Phone _phone;
    std::filesystem::path _pageFolder;
    std::unique_ptr<httplib::Server> _server;
    std::thread _thread;
    std::atomic<int> _eventClients{0};
};
