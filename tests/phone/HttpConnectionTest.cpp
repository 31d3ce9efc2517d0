// The live phone's connections from the other end of a socket: requests whole however they
// arrive, refused when malformed or too large, clients that go silent or stop reading let go,
// and a listener that keeps its port and its limits.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "HttpConnection.h"
#include "HttpListener.h"
#include "core/unix/FileDescriptor.h"

namespace {

namespace http = boost::beast::http;

struct Pair {
    HttpConnection server;
    core::FileDescriptor client;
};

Pair connected(HttpConnection::Limits limits = {}) {
    int ends[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    return {HttpConnection(core::FileDescriptor(ends[0]), limits), core::FileDescriptor(ends[1])};
}

void send(const core::FileDescriptor& end, const std::string& text) {
    ASSERT_EQ(::send(end.get(), text.data(), text.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(text.size()));
}

HttpConnection::Limits quick() {
    HttpConnection::Limits limits;
    limits.idleMilliseconds = 100;
    limits.readMilliseconds = 100;
    limits.writeMilliseconds = 100;
    return limits;
}

TEST(HttpConnection, ReadsRequestsWholeHoweverTheyArrive) {
    auto [server, client] = connected();
    // One request in pieces from another thread, then two at once.
    std::thread writer([&client = client] {
        for (const char* piece : {"POST /api/poi", "nter?token=t HTTP/1.1\r\nHost: a\r\nContent-Le",
                                  "ngth: 7\r\n\r\n{\"a\"", ":1}"}) {
            send(client, piece);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        send(client, "GET /one HTTP/1.1\r\nHost: a\r\n\r\nGET /two HTTP/1.1\r\nHost: a\r\n\r\n");
    });
    const auto first = server.read();
    writer.join();
    ASSERT_TRUE(first.request);
    EXPECT_EQ(first.request->method(), http::verb::post);
    EXPECT_EQ(first.request->target(), "/api/pointer?token=t");
    EXPECT_EQ(first.request->body(), "{\"a\":1}");
    EXPECT_EQ(server.read().request->target(), "/one");
    EXPECT_EQ(server.read().request->target(), "/two");
}

TEST(HttpConnection, RefusesMalformedAndOversizedRequests) {
    struct Case {
        std::string text;
        http::status refusal;
    };
    const std::string lines = [] {
        std::string many;
        for (int line = 0; line < 400; ++line) many += "X-Line: " + std::string(40, 'a') + "\r\n";
        return many;
    }();
    for (const Case& sent : {
             Case{"NOT HTTP AT ALL\r\n\r\n", http::status::bad_request},
             Case{"GET / HTTP/1.1\r\nHost: a\r\n" + lines + "\r\n",
                  http::status::request_header_fields_too_large},
             Case{"POST / HTTP/1.1\r\nHost: a\r\nContent-Length: 5000\r\n\r\n" +
                      std::string(5000, 'x'),
                  http::status::payload_too_large},
             Case{"POST / HTTP/1.1\r\nContent-Length: -3\r\n\r\n", http::status::bad_request},
         }) {
        auto [server, client] = connected();
        std::thread writer([&client = client, &sent] {
            ::send(client.get(), sent.text.data(), sent.text.size(), MSG_NOSIGNAL);
        });
        const auto incoming = server.read();
        server.close();
        writer.join();
        EXPECT_FALSE(incoming.request) << sent.text.substr(0, 40);
        EXPECT_EQ(incoming.refusal, sent.refusal) << sent.text.substr(0, 40);
    }
}

TEST(HttpConnection, LetsGoOfAClientThatGoesSilentOrStopsReading) {
    {
        auto [server, client] = connected(quick());
        send(client, "GET / HTTP/1.1\r\nHost:");
        const auto incoming = server.read();
        EXPECT_FALSE(incoming.request);
        EXPECT_FALSE(incoming.refusal);
    }
    {
        auto [server, client] = connected(quick());
        const std::string answer(8 << 20, 'x');  // more than the socket's buffers take
        EXPECT_FALSE(server.write(answer));
    }
    {
        auto [server, client] = connected(quick());
        send(client, "GET /ok HTTP/1.1\r\n\r\n");
        ASSERT_TRUE(server.read().request);
        ::close(client.release());  // the client is gone: nothing more comes
        EXPECT_FALSE(server.read().request);
    }
}

TEST(HttpConnection, ShutFromAnotherThreadEndsAWaitAtOnce) {
    auto [server, client] = connected();  // waits up to 5 s for a request
    std::atomic<bool> returned = false;
    std::thread reader([&server = server, &returned] {
        server.read();
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned);
    const auto before = std::chrono::steady_clock::now();
    server.shut();
    reader.join();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(4));
}

TEST(HttpListener, KeepsItsPortFromASecondServer) {
    HttpListener first([](HttpConnection&) {}, {});
    const int port = first.bind(0);
    ASSERT_GT(port, 0);
    HttpListener second([](HttpConnection&) {}, {});
    EXPECT_EQ(second.bind(port), -1);
    EXPECT_EQ(second.bind(70000), -1);
}

TEST(HttpListener, ServesEachConnectionAndStopEndsThemAll) {
    std::atomic<int> served = 0;
    HttpConnection::Limits patient;  // a client may stay silent far longer than this test runs
    patient.idleMilliseconds = patient.readMilliseconds = 3'600'000;
    HttpListener listener(
        [&served](HttpConnection& connection) {
            ++served;
            connection.read();  // waits until the listener stops
        },
        patient);
    const int port = listener.bind(0);
    ASSERT_GT(port, 0);
    listener.start();
    std::vector<core::FileDescriptor> clients;
    for (int index = 0; index < HttpListener::kMaximumConnections + 1; ++index) {
        clients.emplace_back(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(
            ::connect(clients.back().get(), reinterpret_cast<sockaddr*>(&address), sizeof address),
            0);
    }
    // The one over the limit is told so and closed.
    char answer[256] = {};
    timeval wait{5, 0};
    ::setsockopt(clients.back().get(), SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    ASSERT_GT(::recv(clients.back().get(), answer, sizeof answer - 1, MSG_WAITALL), 0);
    EXPECT_EQ(std::string(answer).rfind("HTTP/1.1 503 ", 0), 0u) << answer;
    for (int waited = 0; served < HttpListener::kMaximumConnections && waited < 500; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(served, HttpListener::kMaximumConnections);
    listener.stop();  // returns although every connection waits for a request
    EXPECT_EQ(::recv(clients.front().get(), answer, sizeof answer, 0), 0);
}

}  // namespace
