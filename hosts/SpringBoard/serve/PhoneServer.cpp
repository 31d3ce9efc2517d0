#include "PhoneServer.h"

#include <httplib.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

// How long a request waits for the main thread.
constexpr double kPhoneTimeout = 10;
// How long the event channel stays silent before it writes a comment (a few bytes), which
// finds a client that went away and frees its place.
constexpr double kEventSilence = 30;
// Threads: every event client holds one; the other requests share the rest.
constexpr std::size_t kThreads = PhoneServer::kMaximumEventClients + 8;
// Pointer coordinates farther than this outside the screen are malformed.
constexpr double kFarthestPoint = 10000;

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string withToken(std::string page, const std::string& token) {
    const std::string mark = "%TOKEN%";
    for (auto at = page.find(mark); at != std::string::npos; at = page.find(mark, at))
        page.replace(at, mark.size(), token);
    return page;
}

// What a page is sent for a frame: the picture first when it is not the one the page was sent
// last (a data URL, so the page shows it without asking), then the state.
std::string eventText(const FrameBoard::Frame& frame, std::uint64_t pictureSent) {
    std::string text;
    if (frame.pictureDataUrl && frame.pictureNumber != pictureSent) {
        text.reserve(frame.pictureDataUrl->size() + frame.state->size() + 64);
        text += "event: picture\ndata: ";
        text += *frame.pictureDataUrl;
        text += "\n\n";
    }
    text += "event: frame\nid: " + std::to_string(frame.number) + "\ndata: ";
    text += *frame.state;
    text += "\n\n";
    return text;
}

bool finitePoint(const nlohmann::json& body) {
    for (const char* axis : {"x", "y"}) {
        if (!body.contains(axis) || !body[axis].is_number()) return false;
        const double value = body[axis];
        if (!std::isfinite(value) || std::fabs(value) > kFarthestPoint) return false;
    }
    return true;
}

void refuse(httplib::Response& response, int status, const std::string& why) {
    response.status = status;
    response.set_content(nlohmann::json{{"error", why}}.dump(), "application/json");
}

}  // namespace

PhoneServer::PhoneServer(AccessGuard& guard, Inbox& inbox, FrameBoard& board, Phone phone,
                         std::filesystem::path pageFolder)
    : _guard(guard),
      _inbox(inbox),
      _board(board),
      _phone(std::move(phone)),
      _pageFolder(std::move(pageFolder)),
      _server(std::make_unique<httplib::Server>()) {
    // The library takes ownership of the pool it is handed.
    _server->new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    _server->set_payload_max_length(kMaximumBody);
    _server->set_write_timeout(kWriteTimeoutSeconds, 0);
    _server->set_read_timeout(5, 0);
    _server->set_keep_alive_timeout(1);
    // Small answers and events go out at once, not held back until the last segment is
    // acknowledged (the page waits on each of them).
    _server->set_tcp_nodelay(true);
    _server->set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            return allowed(request, response) ? httplib::Server::HandlerResponse::Unhandled
                                              : httplib::Server::HandlerResponse::Handled;
        });
    addRoutes();
}

PhoneServer::~PhoneServer() {
    stop();
}

bool PhoneServer::allowed(const httplib::Request& request, httplib::Response& response) const {
    std::optional<std::string> origin;
    if (request.has_header("Origin")) origin = request.get_header_value("Origin");
    const auto why =
        _guard.refusal(request.get_param_value("token"), request.get_header_value("Host"), origin);
    if (!why) return true;
    refuse(response, 403, *why);
    return false;
}

void PhoneServer::answerFromPhone(httplib::Response& response, std::function<std::string()> task,
                                  const char* type) {
    try {
        const auto answer = _inbox.ask(std::move(task), kPhoneTimeout);
        if (!answer) return refuse(response, 503, "the phone did not answer");
        response.set_header("Cache-Control", "no-store");
        response.set_content(*answer, type);
    } catch (const std::exception& failure) {
        refuse(response, 500, failure.what());
    }
}

void PhoneServer::addRoutes() {
    addPageRoutes();
    addEventRoute();
    _server->Get("/api/state", [this](const httplib::Request&, httplib::Response& response) {
        answerFromPhone(response, _phone.state, "application/json");
    });
    _server->Get("/api/plot.jpg", [this](const httplib::Request&, httplib::Response& response) {
        answerFromPhone(response, _phone.plot, "image/jpeg");
    });
    _server->Get("/api/screen.jpg", [this](const httplib::Request&, httplib::Response& response) {
        const auto frame = _board.latest();
        if (!frame.picture) return refuse(response, 503, "no picture yet");
        response.set_header("Cache-Control", "no-store");
        response.set_header("X-Frame", std::to_string(frame.number));
        response.set_content(*frame.picture, "image/jpeg");
    });
    _server->Post("/api/pointer", [this](const httplib::Request& request,
                                         httplib::Response& response) {
        const auto body = nlohmann::json::parse(request.body, nullptr, false);
        if (body.is_discarded() || !body.is_object() || !body.contains("type") ||
            !body["type"].is_string() || !finitePoint(body))
            return refuse(response, 400, "expected {\"type\": down|move|up|cancel, \"x\", \"y\"}");
        const std::string kind = body["type"];
        if (kind != "down" && kind != "move" && kind != "up" && kind != "cancel")
            return refuse(response, 400, "a pointer event is down, move, up or cancel");
        const double x = body["x"], y = body["y"];
        answerFromPhone(
            response, [pointer = _phone.pointer, kind, x, y] { return pointer(kind, x, y); },
            "application/json");
    });
    _server->Post(R"(/api/button/([a-z-]{1,32}))", [this](const httplib::Request& request,
                                                          httplib::Response& response) {
        const std::string name = request.matches[1];
        if (name != "home" && name != "volume-up" && name != "volume-down" && name != "respring")
            return refuse(response, 404, "no button is called " + name);
        answerFromPhone(
            response, [button = _phone.button, name] { return button(name); }, "application/json");
    });
}

void PhoneServer::addPageRoutes() {
    const auto file = [this](const std::string& name, const char* type) {
        return [this, name, type](const httplib::Request&, httplib::Response& response) {
            const auto text = readFile(_pageFolder / name);
            if (!text) return refuse(response, 500, "the page's file " + name + " is missing");
            response.set_header("Cache-Control", "no-store");
            response.set_content(withToken(*text, _guard.token()), type);
        };
    };
    _server->Get("/", file("index.html", "text/html; charset=utf-8"));
    _server->Get("/phone.js", file("phone.js", "text/javascript; charset=utf-8"));
    _server->Get("/phone.css", file("phone.css", "text/css; charset=utf-8"));
}

// Server-sent events: the latest frame's number and state each time a new one is published,
// with its picture when that is new to the page (a slow client skips the ones it missed), a
// comment after a silence.
void PhoneServer::addEventRoute() {
    _server->Get("/api/events", [this](const httplib::Request&, httplib::Response& response) {
        if (++_eventClients > kMaximumEventClients) {
            --_eventClients;
            return refuse(response, 503, "too many pages are open");
        }
        response.set_header("Cache-Control", "no-store");
        struct Sent {
            std::uint64_t frame = 0;
            std::uint64_t picture = 0;
        };
        auto sent = std::make_shared<Sent>();
        response.set_chunked_content_provider(
            "text/event-stream",
            [this, sent](std::size_t, httplib::DataSink& sink) {
                if (_board.isClosed()) return false;
                const auto frame = _board.waitNewer(sent->frame, kEventSilence);
                const std::string text =
                    frame ? eventText(*frame, sent->picture) : ": still here\n\n";
                if (frame) *sent = {frame->number, frame->pictureNumber};
                return !_board.isClosed() && sink.write(text.data(), text.size());
            },
            [this](bool) { --_eventClients; });
    });
}

int PhoneServer::bind(int port) {
    if (port == 0) return _server->bind_to_any_port("127.0.0.1");
    return _server->bind_to_port("127.0.0.1", port) ? port : -1;
}

void PhoneServer::start() {
    _thread = std::thread([this] { _server->listen_after_bind(); });
}

void PhoneServer::stop() {
    _board.close();
    _server->stop();
    if (_thread.joinable()) _thread.join();
}
