// The tweak inside the home-screen host: the cost of a state report with few and with many
// apps in the values file (it must not grow with the file), the start-up, the first read of
// a large values file, and a full brightness glide under the real clock.
#include <benchmark/benchmark.h>

#include <string>

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/paths/DeviceRoot.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "core/process/ProcessInfo.h"
#include "device/Phone.h"
#include "springboard/HomeScreen.h"
#include "tests/support/TemporaryDirectory.h"
#include "tweak/controls/BrightnessControl.h"
#include "tweak/startup/Startup.h"
#include "tweak/store/CustomValuesStore.h"

namespace {

constexpr const char* kValuesFile = "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

std::string appName(long long index) {
    return "com.bench.app" + std::to_string(index);
}

// A values file with `apps` apps, each with a volume, a brightness and three toggles.
void writeValuesFile(long long apps) {
    core::PlistDictionary values;
    for (long long i = 0; i < apps; ++i) {
        values.set(appName(i) + "-volume", core::PlistValue(0.25f));
        values.set(appName(i) + "-brightness", core::PlistValue(0.5f));
        values.set(appName(i) + "-toggles",
                   core::PlistValue(core::PlistDictionary{{"wifi", core::PlistValue(0)},
                                                          {"bluetooth", core::PlistValue(1)},
                                                          {"dnd", core::PlistValue(0)}}));
    }
    core::PreferenceFileUpdate::apply(
        kValuesFile, [&](core::PlistDictionary& stored) { stored = std::move(values); },
        core::PlistFormat::Xml);
}

// A home-screen host with the library started in it, on a root holding `apps` apps' values.
class HostWithLibrary {
  public:
    HostWithLibrary(long long apps, core::ClockMode mode) {
        core::DeviceRoot::set(_root.path());
        writeValuesFile(apps);
        core::ProcessInfo::setProcessNameForTesting("SpringBoard");
        core::Clock::boot(mode);
        start();
    }
    ~HostWithLibrary() { morvane::resetForTesting(); }

    void start() {
        morvane::resetForTesting();
        springboard::HomeScreen::bootWorld({}, false, [] { morvane::morvaneStartup(); });
    }

  private:
    testing_support::TemporaryDirectory _root;
};

// One entry and one exit of an app whose values are in the file, with the delayed work they
// schedule run to the end.
void BM_StateReportsWithAppsInFile(benchmark::State& state) {
    HostWithLibrary host(state.range(0), core::ClockMode::Virtual);
    const std::string app = appName(state.range(0) / 2);
    springboard::HomeScreen::installApp(app);
    morvane::CustomValuesStore::getCustomValuesPerAppDictionary();  // the file is read once
    for (auto _ : state) {
        springboard::HomeScreen::reportState(app, 2, 2);
        springboard::HomeScreen::reportState(app, 2, 1);
        core::Clock::advance(0.35);
    }
}
BENCHMARK(BM_StateReportsWithAppsInFile)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Library start-up to hooks installed, in a fresh world, with a 10,000-app file present.
void BM_StartupWith10000AppFile(benchmark::State& state) {
    HostWithLibrary host(10000, core::ClockMode::Virtual);
    for (auto _ : state) host.start();
}
BENCHMARK(BM_StartupWith10000AppFile)->Unit(benchmark::kMillisecond);

// The first lookup after start-up or a reload reads the whole file.
void BM_FirstReadOf10000AppFile(benchmark::State& state) {
    HostWithLibrary host(10000, core::ClockMode::Virtual);
    for (auto _ : state) {
        morvane::reloadPrefs();
        benchmark::DoNotOptimize(morvane::CustomValuesStore::getCustomVolumeForApp(appName(5000)));
    }
}
BENCHMARK(BM_FirstReadOf10000AppFile)->Unit(benchmark::kMillisecond);

// A glide from 0.0 to 1.0 under the real clock: its steps and its duration as counters.
void BM_FullBrightnessGlideRealClock(benchmark::State& state) {
    HostWithLibrary host(0, core::ClockMode::Real);
    auto& phone = device::Phone::shared();
    for (auto _ : state) {
        phone.setBrightness(0.0, device::Actor::user());
        const auto before = phone.timeline().size();
        morvane::BrightnessControl::changeBrightness(1.0);
        core::RunLoop::main().runUntil([&] { return phone.brightness() >= 1.0; }, 10);
        const auto entries = phone.timeline().entries();
        const double first = entries[before].time;
        const double last = entries.back().time;
        state.counters["steps"] = static_cast<double>(entries.size() - before);
        state.counters["glide_seconds"] = last - first;
        // Let the chain take its last look, so the next glide runs alone.
        core::RunLoop::main().runFor(0.05);
    }
}
BENCHMARK(BM_FullBrightnessGlideRealClock)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
