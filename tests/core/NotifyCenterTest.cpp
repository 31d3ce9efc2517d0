#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "support/DeviceWorld.h"
#include "support/Subprocess.h"

using core::NotifyCenter;
using testing_support::shellQuote;

namespace {

bool deliver(const std::function<bool()>& done) {
    return core::RunLoop::main().runUntil(done, 5);
}

}  // namespace

TEST(NotifyCenter, DeliversPostsToObserversOfThatNameOnly) {
    testing_support::DeviceWorld world;
    auto& center = NotifyCenter::darwin();
    std::vector<std::string> received;
    center.addObserver("com.kelvrin.morvane/ReloadPrefs",
                       [&](const std::string& n) { received.push_back(n); });
    center.addObserver("other", [&](const std::string& n) { received.push_back(n); });

    ASSERT_TRUE(NotifyCenter::post("com.kelvrin.morvane/ReloadPrefs"));
    ASSERT_TRUE(deliver([&] { return !received.empty(); }));
    core::RunLoop::main().pollSources(0.02);
    EXPECT_EQ(received, std::vector<std::string>{"com.kelvrin.morvane/ReloadPrefs"});
}

TEST(NotifyCenter, NamesMayHoldAnyPrintableCharacterAndBeLong) {
    testing_support::DeviceWorld world;
    const std::vector<std::string> names = {"a/b/c",
                                            "..",
                                            "/",
                                            "spaces and % signs",
                                            "قيمة",
                                            "*?<>|\"'",
                                            std::string(600, 'x'),
                                            std::string(600, 'x') + "y"};
    std::vector<std::string> received;
    for (const auto& name : names) {
        NotifyCenter::darwin().addObserver(name,
                                           [&](const std::string& n) { received.push_back(n); });
    }
    for (const auto& name : names) {
        received.clear();
        ASSERT_TRUE(NotifyCenter::post(name)) << name;
        ASSERT_TRUE(deliver([&] { return !received.empty(); })) << name;
        EXPECT_EQ(received, std::vector<std::string>{name});
    }
    EXPECT_NE(NotifyCenter::fileNameFor(std::string(600, 'x')),
              NotifyCenter::fileNameFor(std::string(600, 'x') + "y"));
}

TEST(NotifyCenter, RemovedObserversHearNothingMore) {
    testing_support::DeviceWorld world;
    int calls = 0;
    auto& center = NotifyCenter::darwin();
    const auto token = center.addObserver("n", [&](const std::string&) { ++calls; });
    NotifyCenter::post("n");
    ASSERT_TRUE(deliver([&] { return calls == 1; }));
    center.removeObserver(token);
    NotifyCenter::post("n");
    core::RunLoop::main().pollSources(0.05);
    EXPECT_EQ(calls, 1);
}

TEST(NotifyCenter, EveryPostAfterRegistrationArrivesEvenWhenCoalesced) {
    testing_support::DeviceWorld world;
    int calls = 0;
    NotifyCenter::darwin().addObserver("burst", [&](const std::string&) { ++calls; });
    for (int round = 0; round < 20; ++round) {
        calls = 0;
        NotifyCenter::post("burst");
        NotifyCenter::post("burst");
        ASSERT_TRUE(deliver([&] { return calls >= 1; })) << "round " << round;
        core::RunLoop::main().pollSources(0);
        EXPECT_LE(calls, 2);  // posts made together may be delivered once
    }
}

TEST(NotifyCenter, PostingWithoutARootFailsCleanly) {
    // No world: with the root pointing at a file, nothing can be created under it.
    testing_support::TemporaryDirectory directory;
    const auto file = directory.path() / "not-a-directory";
    {
        std::FILE* f = std::fopen(file.c_str(), "w");
        std::fclose(f);
    }
    core::DeviceRoot::set(file);
    EXPECT_FALSE(NotifyCenter::post("x"));
    EXPECT_EQ(NotifyCenter::darwin().addObserver("x", [](const std::string&) {}), 0);
}

TEST(NotifyCenterAcrossProcesses, AnotherProcessReceivesOurPost) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    testing_support::Subprocess child(std::string(NOTIFY_TOOL) + " --root " +
                                      shellQuote(world.root()) +
                                      " wait 'com.kelvrin.morvane/ReloadPrefs' 10");
    ASSERT_EQ(child.readLine(), "ready");
    ASSERT_TRUE(NotifyCenter::post("com.kelvrin.morvane/ReloadPrefs"));
    std::string rest;
    EXPECT_EQ(child.wait(&rest), 0);
    EXPECT_EQ(rest, "received com.kelvrin.morvane/ReloadPrefs\n");
}

TEST(NotifyCenterAcrossProcesses, WeReceiveAnotherProcesssPost) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    bool received = false;
    NotifyCenter::darwin().addObserver("from/child", [&](const std::string&) { received = true; });
    EXPECT_EQ(testing_support::run(std::string(NOTIFY_TOOL) + " --root " +
                                   shellQuote(world.root()) + " post from/child"),
              0);
    EXPECT_TRUE(deliver([&] { return received; }));
}

TEST(NotifyCenterAcrossProcesses, ProcessesOfAnotherRootHearNothing) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    testing_support::TemporaryDirectory otherRoot;
    bool received = false;
    NotifyCenter::darwin().addObserver("shared-name", [&](const std::string&) { received = true; });
    EXPECT_EQ(testing_support::run(std::string(NOTIFY_TOOL) + " --root " +
                                   shellQuote(otherRoot.path()) + " post shared-name"),
              0);
    core::RunLoop::main().pollSources(0.1);
    EXPECT_FALSE(received);
}
