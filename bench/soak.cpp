// Soak: the tweak inside the home-screen host through 10,000 rounds of an app entry and exit
// (with the delayed work they schedule run to the end) and of the editors' builds (the
// toggles row with all twelve buttons, and a slider view, laid out). The counters give the
// resident size after the first round, halfway and after the last; a host that keeps
// something of every round grows between them (target: flat within 5 %). The bounded
// records (the phone's timeline, the animation log) fill in the first rounds and then stay.
// SOAK_ROUNDS=N runs another number of rounds.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "core/process/ProcessInfo.h"
#include "device/Phone.h"
#include "rt/Make.h"
#include "springboard/HomeScreen.h"
#include "tests/support/TemporaryDirectory.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/startup/Startup.h"
#include "tweak/widgets/BundleHelper.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/TogglesView.h"
#include "ui/AnimationLog.h"
#include "ui/Color.h"

namespace {

const int kRounds = std::getenv("SOAK_ROUNDS") ? std::atoi(std::getenv("SOAK_ROUNDS")) : 10'000;
constexpr const char* kApp = "com.bench.soak";

// Resident set size of this process in KiB, from /proc/self/statm.
double residentKibibytes() {
    unsigned long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    const int read = std::fscanf(statm, "%lu %lu", &pages, &resident);
    std::fclose(statm);
    if (read != 2) return 0;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1024;
}

// A home-screen host with the library started, its resource bundle installed, one app.
class SoakHost {
  public:
    SoakHost() {
        core::DeviceRoot::set(_root.path());
        const auto bundle =
            _root.path() / std::string(morvane::BundleHelper::kBundlePath).substr(1);
        std::filesystem::create_directories(bundle.parent_path());
        std::filesystem::copy(MORVANE_RESOURCE_BUNDLE, bundle,
                              std::filesystem::copy_options::recursive);
        core::ProcessInfo::setProcessNameForTesting("SpringBoard");
        core::Clock::boot(core::ClockMode::Virtual);
        morvane::resetForTesting();
        springboard::HomeScreen::bootWorld({}, false, [] { morvane::morvaneStartup(); });
        springboard::HomeScreen::installApp(kApp);
    }
    ~SoakHost() { morvane::resetForTesting(); }

  private:
    testing_support::TemporaryDirectory _root;
};

void enterAndLeaveApp() {
    springboard::HomeScreen::reportState(kApp, 2, 2);
    springboard::HomeScreen::reportState(kApp, 2, 1);
    core::Clock::advance(0.35);
}

void buildEditors() {
    auto row = rt::make<morvane::TogglesView>(ui::Rect(0, 0, 300, 30), ui::Color::whiteColor());
    for (const morvane::ToggleDefinition& toggle : morvane::ToggleCatalogue::toggles())
        row->toggleButton(toggle.name)->setHasToBeShown(true);
    row->addEnabledButtonsToStackView();
    row->layoutIfNeeded();
    auto slider = rt::make<morvane::SliderView>(ui::Rect(0, 0, 220, 48));
    slider->layoutIfNeeded();
    benchmark::DoNotOptimize(row.get());
    benchmark::DoNotOptimize(slider.get());
}

void BM_SoakAppEntriesAndEditorBuilds(benchmark::State& state) {
    SoakHost host;
    for (auto _ : state) {
        enterAndLeaveApp();
        buildEditors();
        const double start = residentKibibytes();
        double halfway = start;
        for (int round = 1; round < kRounds; ++round) {
            enterAndLeaveApp();
            buildEditors();
            if (round == kRounds / 2) halfway = residentKibibytes();
        }
        const double end = residentKibibytes();
        state.counters["rounds"] = kRounds;
        state.counters["rss_start_kib"] = start;
        state.counters["rss_halfway_kib"] = halfway;
        state.counters["rss_end_kib"] = end;
        state.counters["growth_pct"] = 100.0 * (end - start) / start;
        state.counters["late_growth_pct"] = 100.0 * (end - halfway) / halfway;
        state.counters["timeline_entries"] =
            static_cast<double>(device::Phone::shared().timeline().size());
        state.counters["animation_records"] =
            static_cast<double>(ui::AnimationLog::shared().count());
    }
}
BENCHMARK(BM_SoakAppEntriesAndEditorBuilds)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
