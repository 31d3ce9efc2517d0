#include "support/TweakWorld.h"

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/files/RootedFiles.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"
#include "core/process/ProcessInfo.h"
#include "rt/Runtime.h"
#include "springboard/HomeScreen.h"
#include "tweak/startup/Startup.h"

namespace tweak_testing {

void TweakTest::SetUp() {
    rt::Runtime::reset();
    morvane::resetForTesting();
}

void TweakTest::TearDown() {
    morvane::resetForTesting();
    core::ProcessInfo::setProcessNameForTesting("");
    rt::Runtime::reset();
}

void TweakTest::bootHost(const device::DeviceConfiguration& configuration) {
    springboard::HomeScreen::bootWorld(configuration, false);
}

void TweakTest::startLibrary(const device::DeviceConfiguration& configuration,
                             const std::string& processName,
                             const std::function<void()>& beforeLibrary) {
    springboard::HomeScreen::bootWorld(configuration, false, [&] {
        if (beforeLibrary) beforeLibrary();
        morvane::resetForTesting();
        core::ProcessInfo::setProcessNameForTesting(processName);
        morvane::morvaneStartup();
    });
}

void TweakTest::writeValuesFile(const core::PlistDictionary& values) {
    // Another process's save: the whole file replaced, in the system's binary form.
    const auto files = core::RootedFiles::ofDeviceRoot();
    ASSERT_TRUE(files);
    const auto where = core::RootedFiles::split(kValuesPath);
    const auto directory = files->createDirectories(where->first);
    ASSERT_TRUE(directory);
    ASSERT_TRUE(directory->replaceFile(where->second,
                                       core::toBinaryPropertyList(core::PlistValue(values))));
}

core::PlistDictionary TweakTest::readValuesFile() const {
    const auto bytes = core::readDeviceFile(kValuesPath);
    const auto value = bytes ? core::parsePropertyList(*bytes) : std::nullopt;
    return value && value->asDictionary() ? *value->asDictionary() : core::PlistDictionary{};
}

void TweakTest::postReloadAndWait() {
    bool delivered = false;
    const auto token = core::NotifyCenter::darwin().addObserver(
        "com.kelvrin.morvane/ReloadPrefs", [&](const std::string&) { delivered = true; });
    ASSERT_TRUE(core::NotifyCenter::post("com.kelvrin.morvane/ReloadPrefs"));
    ASSERT_TRUE(core::RunLoop::main().runUntil([&] { return delivered; }, 5));
    core::NotifyCenter::darwin().removeObserver(token);
}

void TweakTest::advance(double seconds) {
    core::Clock::advance(seconds);
}

void TweakTest::userSetsVolume(float level) {
    phone().setVolume(level, device::Actor::user());
}

void TweakTest::userSetsBrightness(double level) {
    phone().setBrightness(level, device::Actor::user());
}

void TweakTest::userSetsSwitch(device::Switch which, bool on) {
    phone().setSwitch(which, on, device::Actor::user());
}

std::vector<device::CallLog::Call> TweakTest::callsStartingWith(std::string_view prefix,
                                                                std::size_t mark) {
    const device::CallLog log = phone().calls();
    std::vector<device::CallLog::Call> found;
    for (std::size_t index = mark; index < log.size(); ++index) {
        if (log.calls()[index].text().starts_with(prefix)) found.push_back(log.calls()[index]);
    }
    return found;
}

}  // namespace tweak_testing
