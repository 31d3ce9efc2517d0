// The live phone's server parts that do not touch the phone: who may pass, the board of the
// latest picture, the hand-over to the main thread and the JPEG pictures.
#include <gtest/gtest.h>
#include <poll.h>
#include <turbojpeg.h>

#include <atomic>
#include <chrono>
#include <future>
#include <optional>
#include <thread>
#include <vector>

#include "AccessGuard.h"
#include "FrameBoard.h"
#include "Inbox.h"
#include "JpegEncoder.h"

namespace {

TEST(AccessGuard, TokensAreLongRandomAndSafeInAnAddress) {
    const std::string first = AccessGuard::randomToken();
    const std::string second = AccessGuard::randomToken();
    EXPECT_EQ(first.size(), 32u);
    EXPECT_NE(first, second);
    EXPECT_EQ(
        first.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
        std::string::npos);
}

TEST(AccessGuard, PassesOnlyTheTokenForThisServerFromItsOwnPage) {
    AccessGuard guard("secret-token");
    guard.setPort(8123);
    EXPECT_FALSE(guard.refusal("secret-token", "127.0.0.1:8123", std::nullopt));
    EXPECT_FALSE(guard.refusal("secret-token", "localhost:8123", "http://127.0.0.1:8123"));
    EXPECT_FALSE(guard.refusal("secret-token", "127.0.0.1:8123", "http://localhost:8123"));
    // The token: missing, wrong, a prefix of it, longer than it.
    for (const std::string token : {"", "secret-tokem", "secret", "secret-token-and-more"})
        EXPECT_TRUE(guard.refusal(token, "127.0.0.1:8123", std::nullopt)) << token;
    // Another name resolving to this machine (DNS rebinding), another port, no Host.
    for (const std::string host : {"evil.example:8123", "127.0.0.1:8124", "127.0.0.1", ""})
        EXPECT_TRUE(guard.refusal("secret-token", host, std::nullopt)) << host;
    // Another site's page, another port's page, another scheme.
    for (const std::string origin :
         {"http://evil.example", "http://127.0.0.1:9999", "https://127.0.0.1:8123", "null", ""})
        EXPECT_TRUE(guard.refusal("secret-token", "127.0.0.1:8123", origin)) << origin;
}

TEST(FrameBoard, KeepsOnlyTheLatestAndWakesWaitersWithIt) {
    FrameBoard board;
    EXPECT_FALSE(board.waitNewer(0, 0.01));
    board.publish("picture 1", "{}");
    board.publish("picture 2", "{}");
    const auto frame = board.waitNewer(0, 0.01);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->number, 2u);  // a slow reader skips to the newest
    EXPECT_EQ(*frame->picture, "picture 2");
    EXPECT_FALSE(board.waitNewer(2, 0.01));

    std::thread publisher([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        board.publish("picture 3", "{\"n\": 3}");
    });
    const auto woken = board.waitNewer(2, 5);
    publisher.join();
    ASSERT_TRUE(woken);
    EXPECT_EQ(*woken->state, "{\"n\": 3}");
}

TEST(FrameBoard, NumbersPicturesApartFromFramesAndKeepsThemAsDataUrls) {
    FrameBoard board;
    const auto picture = std::make_shared<const std::string>("\xff\xd8 JPEG");
    board.publish(picture, "{\"n\": 1}");
    board.publish(picture, "{\"n\": 2}");  // a glide: new states over one picture
    auto frame = board.latest();
    EXPECT_EQ(frame.number, 2u);
    EXPECT_EQ(frame.pictureNumber, 1u);
    EXPECT_EQ(*frame.pictureDataUrl, "data:image/jpeg;base64,/9ggSlBFRw==");
    board.publish(std::make_shared<const std::string>("\xff\xd8 JPEG"), "{\"n\": 3}");
    frame = board.latest();
    EXPECT_EQ(frame.pictureNumber, 2u);  // another picture, even with the same bytes
    board.publish("", "{}");
    EXPECT_EQ(*board.latest().pictureDataUrl, "data:image/jpeg;base64,");
}

TEST(FrameBoard, ClosingReleasesEveryWaiterAtOnce) {
    FrameBoard board;
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int index = 0; index < 4; ++index)
        waiters.emplace_back([&] {
            if (!board.waitNewer(0, 30)) ++released;
        });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto start = std::chrono::steady_clock::now();
    board.close();
    for (auto& waiter : waiters) waiter.join();
    EXPECT_EQ(released, 4);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    board.publish("late", "{}");
    EXPECT_FALSE(board.waitNewer(0, 0.01));
}

TEST(Inbox, RunsTasksOnTheServingThreadAndAnswersTheAsker) {
    Inbox inbox;
    std::thread::id ranOn;  // written and read by this thread only
    std::promise<std::optional<std::string>> answered;
    auto answer = answered.get_future();
    std::thread asker([&] {
        answered.set_value(inbox.ask(
            [&] {
                ranOn = std::this_thread::get_id();
                return std::string("done");
            },
            5));
    });
    while (answer.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        inbox.serve();
    asker.join();
    EXPECT_EQ(answer.get(), "done");
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

// Waits until a task handed in has signalled the inbox's descriptor.
bool signalled(const Inbox& inbox) {
    pollfd watched{inbox.fd(), POLLIN, 0};
    return ::poll(&watched, 1, 10000) == 1;
}

TEST(Inbox, AnswersNoneWhenClosedOrNotServedInTime) {
    Inbox inbox;
    EXPECT_FALSE(inbox.ask([] { return std::string("never served"); }, 0.05));
    inbox.serve();  // runs the late task, which answers nobody
    std::atomic<bool> ran{false};
    std::promise<std::optional<std::string>> answered;
    auto answer = answered.get_future();
    std::thread asker([&] {
        answered.set_value(inbox.ask(
            [&] {
                ran = true;
                return std::string("dropped");
            },
            60));
    });
    ASSERT_TRUE(signalled(inbox));  // the task is waiting in the inbox
    inbox.close();
    // Its asker is released by the close, not by its own time running out.
    EXPECT_EQ(answer.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    asker.join();
    EXPECT_FALSE(answer.get());
    inbox.serve();
    EXPECT_FALSE(ran);
    EXPECT_FALSE(inbox.ask([] { return std::string("after close"); }, 0.05));
}

// Decodes a JPEG into RGB pixels.
std::vector<unsigned char> decode(const std::string& jpeg, int& width, int& height) {
    tjhandle handle = tjInitDecompress();
    int subsampling = 0, colours = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(jpeg.data());
    EXPECT_EQ(
        tjDecompressHeader3(handle, bytes, jpeg.size(), &width, &height, &subsampling, &colours),
        0);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    EXPECT_EQ(
        tjDecompress2(handle, bytes, jpeg.size(), pixels.data(), width, 0, height, TJPF_RGB, 0), 0);
    tjDestroy(handle);
    return pixels;
}

TEST(JpegEncoder, KeepsColoursWhereTheyAre) {
    render::Picture picture(40, 20, 2);  // left half red, right half white
    {
        auto context = picture.context();
        cairo_set_source_rgb(context.get(), 1, 0, 0);
        cairo_rectangle(context.get(), 0, 0, 20, 20);
        cairo_fill(context.get());
        cairo_set_source_rgb(context.get(), 1, 1, 1);
        cairo_rectangle(context.get(), 20, 0, 20, 20);
        cairo_fill(context.get());
    }
    JpegEncoder encoder;
    int width = 0, height = 0;
    const auto full = decode(encoder.encode(picture), width, height);
    ASSERT_EQ(width, 80);
    ASSERT_EQ(height, 40);
    const auto at = [&](const std::vector<unsigned char>& pixels, int x, int y, int channel) {
        return static_cast<int>(pixels[(static_cast<std::size_t>(y) * width + x) * 3 + channel]);
    };
    EXPECT_GT(at(full, 10, 20, 0), 230);  // red on the left
    EXPECT_LT(at(full, 10, 20, 1), 30);
    EXPECT_GT(at(full, 70, 20, 1), 240);  // white on the right
    EXPECT_GT(at(full, 70, 20, 2), 240);
}

// The encoder keeps its output buffer: a larger picture after a small one, then the small one
// again, each comes out whole and the same as from a fresh encoder.
TEST(JpegEncoder, EncodesPicturesOfEverySizeWithOneKeptBuffer) {
    const auto painted = [](double width, double height) {
        render::Picture picture(width, height, 2);
        auto context = picture.context();
        cairo_set_source_rgb(context.get(), 0.2, 0.4, 0.9);
        cairo_paint(context.get());
        cairo_set_source_rgb(context.get(), 1, 1, 0);
        cairo_arc(context.get(), width / 2, height / 2, height / 3, 0, 6.3);
        cairo_fill(context.get());
        return picture;
    };
    const auto small = painted(30, 20), large = painted(375, 667);
    JpegEncoder kept;
    const std::string firstSmall = kept.encode(small);
    const std::string bigOne = kept.encode(large);
    const std::string secondSmall = kept.encode(small);
    EXPECT_EQ(firstSmall, secondSmall);
    EXPECT_EQ(bigOne, JpegEncoder().encode(large));
    int width = 0, height = 0;
    decode(bigOne, width, height);
    EXPECT_EQ(width, 750);
    EXPECT_EQ(height, 1334);
}

}  // namespace
