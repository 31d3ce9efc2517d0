#include "ServeMode.h"

#include <malloc.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <stdexcept>

#include "AccessGuard.h"
#include "DeviceSession.h"
#include "Finger.h"
#include "FrameBoard.h"
#include "Inbox.h"
#include "JpegEncoder.h"
#include "JsonText.h"
#include "LivePhone.h"
#include "PhoneServer.h"
#include "PhoneState.h"
#include "ScreenCapture.h"
#include "ScreenFeed.h"
#include "Ticker.h"
#include "core/dispatch/RunLoop.h"
#include "core/paths/TemporaryDirectory.h"
#include "core/unix/FileDescriptor.h"

namespace {

// SIGINT and SIGTERM, blocked in every thread, read from a descriptor by the main loop.
core::FileDescriptor signalDescriptor() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    return core::FileDescriptor(::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK));
}

// The phone's memory stays flat however long it runs. Pixel buffers (a screen is 4 MB) are
// mapped on their own and given back when freed, never kept in the heap: the allocator would
// otherwise raise its threshold after the first free and hold freed pictures, so that the
// memory swings with what was drawn last (the few kept for good, the screen's picture and the
// encoder's buffer, are mapped once). And the server's threads share one heap besides the main
// thread's, instead of one each, where freed memory would pile up as more of them serve.
void keepTheHeapFlat() {
    constexpr int kLargeBuffer = 64 * 1024;
    constexpr int kHeaps = 2;
    ::mallopt(M_MMAP_THRESHOLD, kLargeBuffer);
    ::mallopt(M_ARENA_MAX, kHeaps);
}

// The problems a phone action met, in one line: "" when it was done.
std::string problemsOf(LivePhone& phone) {
    std::string text;
    for (const auto& problem : phone.takeProblems()) text += (text.empty() ? "" : "; ") + problem;
    return text;
}

void movePointer(Finger& finger, const std::string& kind, ui::Point point) {
    const double now = Ticker::steadySeconds();
    if (kind == "down")
        finger.down(point, now);
    else if (kind == "move")
        finger.move(point, now);
    else if (kind == "up")
        finger.up(point, now);
    else if (kind == "cancel")
        finger.cancel();
}

void pressButton(LivePhone& phone, const std::string& name) {
    if (name == "home")
        phone.home();
    else if (name == "volume-up")
        phone.stepVolume(1);
    else if (name == "volume-down")
        phone.stepVolume(-1);
    else if (name == "respring")
        phone.respring();
}

// The routes' work, done on the main thread. The server has refused unknown kinds and names;
// an action answers "" when done, else the problems that stopped it.
PhoneServer::Phone phoneActions(LivePhone& phone, Finger& finger, ScreenFeed& feed) {
    auto plotEncoder = std::make_shared<JpegEncoder>();
    return {
        [&phone] { return jsonText(PhoneState::of(phone)); },
        [plotEncoder] { return plotEncoder->encode(ScreenCapture::timelinePicture()); },
        [&phone, &finger, &feed](const std::string& kind, double x, double y) {
            phone.takeProblems();  // only this action's problems are its answer
            movePointer(finger, kind, {x, y});
            feed.refresh();
            return problemsOf(phone);
        },
        [&phone, &feed](const std::string& name) {
            phone.takeProblems();
            pressButton(phone, name);
            feed.refresh();
            return problemsOf(phone);
        },
    };
}

}  // namespace

int ServeMode::run(HostOptions host, const ServeOptions& options, HostSession& session) {
    keepTheHeapFlat();
    host.realTime = true;
    if (!host.root) host.root = options.defaultRoot;
    std::filesystem::create_directories(*host.root);
    const core::FileDescriptor signals = signalDescriptor();
    DeviceSession device("SpringBoard", host, std::cerr, std::cerr);
    device.report(session.boot({}));
    core::TemporaryDirectory pictures("morvane-phone-");
    LivePhone phone(session, {options.tools, device.root(), pictures.path()}, options.apps);
    phone.start();
    Finger finger(phone);
    FrameBoard board;
    ScreenFeed feed(phone, board);
    feed.refresh(true);
    Inbox inbox;
    AccessGuard guard(AccessGuard::randomToken());
    PhoneServer server(guard, inbox, board, phoneActions(phone, finger, feed), options.pageFolder);
    const int port = server.bind(options.port);
    if (port <= 0) {
        std::cerr << "SpringBoard: cannot listen on 127.0.0.1 port " << options.port << "\n";
        return 1;
    }
    guard.setPort(port);
    server.start();
    auto& loop = core::RunLoop::main();
    Ticker ticker(finger, phone, feed);
    const auto inboxSource = loop.addSource(inbox.fd(), [&] {
        inbox.serve();
        ticker.wake();
    });
    const auto signalSource = loop.addSource(signals.get(), [&] { loop.stop(); });
    const auto tickSource = loop.addSource(ticker.fd(), [&] { ticker.tick(); });
    std::cout << "http://127.0.0.1:" << port << "/?token=" << guard.token() << std::endl;
    loop.run();
    // The Settings app ends first, so that a stop is done within a second.
    phone.shutDown();
    loop.removeSource(tickSource);
    loop.removeSource(signalSource);
    loop.removeSource(inboxSource);
    inbox.close();
    server.stop();
    return 0;
}
