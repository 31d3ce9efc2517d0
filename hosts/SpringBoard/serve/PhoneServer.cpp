#include "PhoneServer.h"

#include "JsonText.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/write.hpp>
#include <nlohmann/json.hpp>

namespace http = boost::beast::http;

namespace {

// How long a request waits for the main thread.
constexpr double kPhoneTimeout = 10;
// How long the event channel stays silent before it writes a comment (a few bytes), which
// finds a client that went away and frees its place.
constexpr double kEventSilence = 30;
// Pointer coordinates farther than this outside the screen are malformed.
constexpr double kFarthestPoint = 10000;
constexpr std::string_view kButtonRoute = "/api/button/";

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

// A query's text with its %XX escapes (and + for a blank) decoded; a malformed escape stays.
std::string decoded(std::string_view text) {
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '%' && at + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[at + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[at + 2]))) {
            plain += static_cast<char>(std::stoi(std::string(text.substr(at + 1, 2)), nullptr, 16));
            at += 2;
        } else {
            plain += c == '+' ? ' ' : c;
        }
    }
    return plain;
}

// The first value of the query's parameter `name`, or none.
std::optional<std::string> queryValue(std::string_view query, std::string_view name) {
    while (!query.empty()) {
        const auto end = query.find('&');
        const std::string_view pair = query.substr(0, end);
        const auto equals = pair.find('=');
        if (decoded(pair.substr(0, equals)) == name)
            return equals == std::string_view::npos ? "" : decoded(pair.substr(equals + 1));
        if (end == std::string_view::npos) break;
        query.remove_prefix(end + 1);
    }
    return std::nullopt;
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

template <typename Body>
std::string serialized(const http::response<Body>& response) {
    std::ostringstream text;
    text << response;
    return text.str();
}

}  // namespace

struct PhoneServer::Answer {
    http::status status = http::status::ok;
    std::string type = "application/json";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers = {};

    static Answer refusal(http::status status, const std::string& why) {
        return {status, "application/json", jsonText({{"error", why}})};
    }

    // The answer as sent: in the request's HTTP version, never kept in a cache.
    std::string text(unsigned version, bool keepAlive) const {
        http::response<http::string_body> response{status, version};
        response.set(http::field::content_type, type);
        response.set(http::field::cache_control, "no-store");
        for (const auto& [name, value] : headers) response.set(name, value);
        response.body() = body;
        response.keep_alive(keepAlive);
        response.prepare_payload();
        return serialized(response);
    }
};

PhoneServer::PhoneServer(AccessGuard& guard, Inbox& inbox, FrameBoard& board, Phone phone,
                         std::filesystem::path pageFolder)
    : _guard(guard),
      _inbox(inbox),
      _board(board),
      _phone(std::move(phone)),
      _pageFolder(std::move(pageFolder)),
      _listener([this](HttpConnection& connection) { serve(connection); },
                {kMaximumHeader, kMaximumBody, 5000, 5000, kWriteTimeoutMilliseconds}) {}

PhoneServer::~PhoneServer() {
    stop();
}

int PhoneServer::bind(int port) {
    return _listener.bind(port);
}

void PhoneServer::start() {
    _listener.start();
}

void PhoneServer::stop() {
    _board.close();
    _listener.stop();
}

// A client's requests, one after another while it keeps the connection; a malformed or too
// large request is answered and the connection closed.
void PhoneServer::serve(HttpConnection& connection) {
    for (;;) {
        auto incoming = connection.read();
        if (incoming.refusal) {
            const auto answer =
                Answer::refusal(*incoming.refusal, "a malformed or too large request");
            connection.write(answer.text(11, false));
            return;
        }
        if (!incoming.request || !respond(connection, *incoming.request)) return;
    }
}

// Answers one request; false when the connection is to end.
bool PhoneServer::respond(HttpConnection& connection, const HttpConnection::Request& request) {
    const std::string_view target(request.target().data(), request.target().size());
    const auto mark = target.find('?');
    const std::string path(target.substr(0, mark));
    const std::string_view query =
        mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
    std::optional<std::string> origin;
    if (const auto field = request.find(http::field::origin); field != request.end())
        origin = std::string(field->value());
    const auto refusal = _guard.refusal(queryValue(query, "token").value_or(""),
                                        std::string(request[http::field::host]), origin);
    if (!refusal && request.method() == http::verb::get && path == "/api/events") {
        sendEvents(connection);
        return false;
    }
    const Answer answer =
        refusal ? Answer::refusal(http::status::forbidden, *refusal) : route(request, path);
    return connection.write(answer.text(request.version(), request.keep_alive())) &&
           request.keep_alive();
}

PhoneServer::Answer PhoneServer::route(const HttpConnection::Request& request,
                                       const std::string& path) {
    if (request.method() == http::verb::get) {
        if (path == "/") return pageFile("index.html", "text/html; charset=utf-8");
        if (path == "/phone.js") return pageFile("phone.js", "text/javascript; charset=utf-8");
        if (path == "/phone.css") return pageFile("phone.css", "text/css; charset=utf-8");
        if (path == "/api/state") return askPhone(_phone.state, "application/json");
        if (path == "/api/plot.jpg") return askPhone(_phone.plot, "image/jpeg");
        if (path == "/api/screen.jpg") {
            const auto frame = _board.latest();
            if (!frame.picture)
                return Answer::refusal(http::status::service_unavailable, "no picture yet");
            return {http::status::ok,
                    "image/jpeg",
                    *frame.picture,
                    {{"X-Frame", std::to_string(frame.number)}}};
        }
    }
    if (request.method() == http::verb::post) {
        if (path == "/api/pointer") return pointer(request);
        if (path.starts_with(kButtonRoute)) return button(path.substr(kButtonRoute.size()));
    }
    return Answer::refusal(http::status::not_found, "no such page");
}

PhoneServer::Answer PhoneServer::pageFile(const std::string& name, const char* type) const {
    const auto text = readFile(_pageFolder / name);
    if (!text)
        return Answer::refusal(http::status::internal_server_error,
                               "the page's file " + name + " is missing");
    return {http::status::ok, type, withToken(*text, _guard.token())};
}

PhoneServer::Answer PhoneServer::pointer(const HttpConnection::Request& request) {
    const auto body = nlohmann::json::parse(request.body(), nullptr, false);
    if (body.is_discarded() || !body.is_object() || !body.contains("type") ||
        !body["type"].is_string() || !finitePoint(body))
        return Answer::refusal(http::status::bad_request,
                               "expected {\"type\": down|move|up|cancel, \"x\", \"y\"}");
    const std::string kind = body["type"];
    if (kind != "down" && kind != "move" && kind != "up" && kind != "cancel")
        return Answer::refusal(http::status::bad_request,
                               "a pointer event is down, move, up or cancel");
    const double x = body["x"], y = body["y"];
    return askPhoneToAct([pointer = _phone.pointer, kind, x, y] { return pointer(kind, x, y); });
}

PhoneServer::Answer PhoneServer::button(const std::string& name) {
    if (name != "home" && name != "volume-up" && name != "volume-down" && name != "respring")
        return Answer::refusal(http::status::not_found, "no button is called " + name);
    return askPhoneToAct([button = _phone.button, name] { return button(name); });
}

PhoneServer::Answer PhoneServer::askPhone(std::function<std::string()> task, const char* type) {
    try {
        const auto answer = _inbox.ask(std::move(task), kPhoneTimeout);
        if (!answer)
            return Answer::refusal(http::status::service_unavailable, "the phone did not answer");
        return {http::status::ok, type, *answer};
    } catch (const std::exception& failure) {
        return Answer::refusal(http::status::internal_server_error, failure.what());
    }
}

// An input's answer: done, or the problem that stopped it (the phone could not do it).
PhoneServer::Answer PhoneServer::askPhoneToAct(std::function<std::string()> action) {
    Answer answer = askPhone(std::move(action), "application/json");
    if (answer.status != http::status::ok) return answer;
    if (!answer.body.empty())
        return Answer::refusal(http::status::internal_server_error, answer.body);
    return {http::status::ok, "application/json", R"({"ok": true})"};
}

// Server-sent events: the latest frame's number and state each time a new one is published,
// with its picture when that is new to the page (a slow client skips the ones it missed), a
// comment after a silence. The connection ends with the channel.
void PhoneServer::sendEvents(HttpConnection& connection) {
    struct Place {
        std::atomic<int>& count;
        explicit Place(std::atomic<int>& clients) : count(clients) { ++count; }
        ~Place() { --count; }
    } place(_eventClients);
    if (place.count > kMaximumEventClients) {
        connection.write(
            Answer::refusal(http::status::service_unavailable, "too many pages are open")
                .text(11, false));
        return;
    }
    http::response<http::empty_body> response{http::status::ok, 11};
    response.set(http::field::cache_control, "no-store");
    response.set(http::field::content_type, "text/event-stream");
    response.keep_alive(false);  // the stream ends when the connection does
    if (!connection.write(serialized(response))) return;
    std::uint64_t frameSent = 0;
    std::uint64_t pictureSent = 0;
    while (!_board.isClosed()) {
        const auto frame = _board.waitNewer(frameSent, kEventSilence);
        if (_board.isClosed()) return;
        const std::string text = frame ? eventText(*frame, pictureSent) : ": still here\n\n";
        if (frame)
            std::tie(frameSent, pictureSent) = std::pair(frame->number, frame->pictureNumber);
        if (!connection.write(text)) return;
    }
}
