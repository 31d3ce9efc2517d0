#include "support/TweakWorld.h"

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"
#include "core/process/ProcessInfo.h"
#include "rt/Runtime.h"
#include "tweak/startup/Startup.h"

namespace tweak_testing {

void TweakTest::SetUp() {
    rt::resetWorld();
    morvane::resetForTesting();
}

void TweakTest::TearDown() {
    morvane::resetForTesting();
    core::ProcessInfo::setProcessNameForTesting("");
}

void TweakTest::startLibrary(const std::string& processName) {
    FakeHost::registerClasses(_phone);
    core::ProcessInfo::setProcessNameForTesting(processName);
    morvane::morvaneStartup();
}

void TweakTest::writeValuesFile(const core::PlistDictionary& values) {
    const auto path = core::DeviceRoot::mapForWriting(kValuesPath);
    ASSERT_TRUE(path);
    ASSERT_TRUE(core::writePropertyListFile(*path, core::PlistValue(values), core::PlistFormat::Binary));
}

core::PlistDictionary TweakTest::readValuesFile() const {
    const auto path = core::DeviceRoot::map(kValuesPath);
    if (!path) return {};
    return core::dictionaryWithContentsOfFile(*path).value_or(core::PlistDictionary{});
}

void TweakTest::postReloadAndWait() {
    bool delivered = false;
    const auto token = core::NotifyCenter::darwin().addObserver("com.kelvrin.morvane/ReloadPrefs",
                                                                [&](const std::string&) { delivered = true; });
    ASSERT_TRUE(core::NotifyCenter::post("com.kelvrin.morvane/ReloadPrefs"));
    ASSERT_TRUE(core::RunLoop::main().runUntil([&] { return delivered; }, 5));
    core::NotifyCenter::darwin().removeObserver(token);
}

void TweakTest::advance(double seconds) { core::Clock::advance(seconds); }

}  // namespace tweak_testing
