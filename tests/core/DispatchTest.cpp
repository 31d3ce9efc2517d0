#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/dispatch/Clock.h"
#include "core/dispatch/Queue.h"
#include "core/dispatch/RunLoop.h"
#include "support/DeviceWorld.h"

using core::Clock;
using core::Queue;

TEST(VirtualClock, RunsDueTasksByDueTimeThenSubmissionOrder) {
    testing_support::DeviceWorld world;
    std::string order;
    core::after(0.3, Queue::Global, [&] { order += "c"; });
    core::after(0.2, Queue::Main, [&] { order += "a"; });
    core::after(0.2, Queue::Global, [&] { order += "b"; });
    core::async(Queue::Main, [&] { order += "0"; });
    core::after(0.5, Queue::Main, [&] { order += "late"; });

    Clock::advance(0.1999);
    EXPECT_EQ(order, "0");
    Clock::advance(0.0001);
    EXPECT_EQ(order, "0ab");
    Clock::advance(0.2);
    EXPECT_EQ(order, "0abc");
    EXPECT_DOUBLE_EQ(Clock::now(), 0.4);
}

TEST(VirtualClock, TaskSeesItsDueTimeAndChainedTasksComeDueInTheSameAdvance) {
    testing_support::DeviceWorld world;
    std::vector<double> seen;
    // A glide-like chain: each step schedules the next 10 ms later.
    std::function<void()> step = [&] {
        seen.push_back(Clock::now());
        if (seen.size() < 5) core::after(0.01, Queue::Main, step);
    };
    core::after(0.2, Queue::Global, [&] { core::async(Queue::Main, step); });
    Clock::advance(1.0);
    ASSERT_EQ(seen.size(), 5u);
    for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_NEAR(seen[i], 0.2 + 0.01 * i, 1e-9);
    EXPECT_DOUBLE_EQ(Clock::now(), 1.0);
}

TEST(VirtualClock, GlobalTasksRunOnTheDrivingThread) {
    testing_support::DeviceWorld world;
    std::thread::id ranOn;
    core::after(0.3, Queue::Global, [&] { ranOn = std::this_thread::get_id(); });
    Clock::advance(0.3);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(VirtualClock, BootDropsPendingTasksAndRestartsTime) {
    testing_support::DeviceWorld world;
    bool ran = false;
    core::after(1, Queue::Main, [&] { ran = true; });
    Clock::advance(0.5);
    Clock::boot(core::ClockMode::Virtual);
    EXPECT_EQ(Clock::now(), 0);
    Clock::advance(5);
    EXPECT_FALSE(ran);
}

TEST(VirtualClock, AdvanceRefusesTheRealClock) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    EXPECT_THROW(Clock::advance(1), std::logic_error);
}

TEST(RealClock, TasksNeverRunBeforeTheirDelayAndKeepOrder) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    std::vector<std::pair<int, double>> ran;
    const double start = Clock::now();
    core::after(0.03, Queue::Main, [&] { ran.emplace_back(2, Clock::now() - start); });
    core::after(0.01, Queue::Main, [&] { ran.emplace_back(1, Clock::now() - start); });
    core::async(Queue::Main, [&] { ran.emplace_back(0, Clock::now() - start); });
    ASSERT_TRUE(core::RunLoop::main().runUntil([&] { return ran.size() == 3; }, 5));
    EXPECT_EQ(ran[0].first, 0);
    EXPECT_EQ(ran[1].first, 1);
    EXPECT_EQ(ran[2].first, 2);
    EXPECT_GE(ran[1].second, 0.01);
    EXPECT_GE(ran[2].second, 0.03);
}

TEST(RealClock, GlobalQueueRunsOnWorkersAndCanHandBackToMain) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    std::atomic<bool> onWorker{false};
    bool backOnMain = false;
    const auto mainThread = std::this_thread::get_id();
    core::after(0.01, Queue::Global, [&] {
        onWorker = std::this_thread::get_id() != mainThread;
        core::async(Queue::Main, [&] { backOnMain = std::this_thread::get_id() == mainThread; });
    });
    ASSERT_TRUE(core::RunLoop::main().runUntil([&] { return backOnMain; }, 5));
    EXPECT_TRUE(onWorker);
}

TEST(RealClock, StopEndsRunFromATask) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    int ticks = 0;
    core::after(0.005, Queue::Main, [&] { ++ticks; });
    core::after(0.01, Queue::Main, [&] { core::RunLoop::main().stop(); });
    core::RunLoop::main().run();
    EXPECT_EQ(ticks, 1);
}

TEST(RunLoopSources, ServesAReadableDescriptorAndForgetsRemovedOnes) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    int served = 0;
    auto& loop = core::RunLoop::main();
    const auto id = loop.addSource(fds[0], [&] {
        char byte;
        ASSERT_EQ(::read(fds[0], &byte, 1), 1);
        ++served;
    });
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    EXPECT_TRUE(loop.runUntil([&] { return served == 1; }, 5));
    loop.removeSource(id);
    ASSERT_EQ(::write(fds[1], "y", 1), 1);
    EXPECT_EQ(loop.pollSources(0.02), 0);
    ::close(fds[0]);
    ::close(fds[1]);
}
