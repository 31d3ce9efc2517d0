// Soak: the tweak inside the home-screen host through 10,000 rounds of an app entry and exit
// (with the delayed work they schedule run to the end) and of the editors' builds (the
// toggles row with all twelve buttons, and a slider view, laid out). The counters give the
// resident size after the first round, halfway and after the last; a host that keeps
// something of every round grows between them (target: flat within 5 %). The bounded
// records (the phone's timeline, the animation log) fill in the first rounds and then stay.
// SOAK_ROUNDS=N runs another number of rounds. A second soak repeats the user's round in the
// icon menu (press, slider saved, switch tapped) and reports the growth per round.
#include <benchmark/benchmark.h>
#include <malloc.h>
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
#include "springboard/IconMenu.h"
#include "support/MenuDriver.h"
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

// Boots a home-screen host on root with the library started, its resource bundle installed
// and one app.
void bootHost(const std::filesystem::path& root, const char* app) {
    core::DeviceRoot::set(root);
    const auto bundle = root / std::string(morvane::BundleHelper::kBundlePath).substr(1);
    std::filesystem::create_directories(bundle.parent_path());
    std::filesystem::copy(MORVANE_RESOURCE_BUNDLE, bundle,
                          std::filesystem::copy_options::recursive);
    core::ProcessInfo::setProcessNameForTesting("SpringBoard");
    core::Clock::boot(core::ClockMode::Virtual);
    morvane::resetForTesting();
    springboard::HomeScreen::bootWorld({}, false, [] { morvane::morvaneStartup(); });
    springboard::HomeScreen::installApp(app);
}

// A home-screen host with the library started, its resource bundle installed, one app.
class SoakHost {
  public:
    SoakHost() { bootHost(_root.path(), kApp); }
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

// Heap bytes in use (malloc's own count: what the program holds, without the pages the
// allocator keeps for reuse).
double heapBytes() {
    return static_cast<double>(::mallinfo2().uordblks);
}

// The user's round in the icon menu: a press on Maps, its Volume slider dragged and saved
// (0.5 s after the finger lifts), the Toggles editor opened and one switch tapped (each
// written to the values file), the menu closed. The device root is in memory (/dev/shm)
// when there is one, so the file's flushes do not set the pace.
class MenuSoakHost {
  public:
    MenuSoakHost() : _root(inMemoryTemporaryDirectory()) { bootHost(_root.path(), kMaps); }
    ~MenuSoakHost() {
        springboard::IconMenu::reset(true);
        morvane::resetForTesting();
    }

    static void round(int index) {
        tweak_testing::MenuDriver::press(kMaps);
        core::Clock::advance(0.1);
        tweak_testing::MenuDriver::choose("Volume");
        tweak_testing::MenuDriver::drag(0.2 + 0.01 * (index % 50));
        core::Clock::advance(0.8);
        tweak_testing::MenuDriver::choose("Toggles");
        tweak_testing::MenuDriver::tapToggle("wifi");
        tweak_testing::MenuDriver::dismiss();
        core::Clock::advance(0.5);
    }

  private:
    static constexpr const char* kMaps = "com.example.maps";

    static testing_support::TemporaryDirectory inMemoryTemporaryDirectory() {
        if (std::filesystem::is_directory("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
        return testing_support::TemporaryDirectory();
    }

    testing_support::TemporaryDirectory _root;
};

// Resident and heap sizes at rounds 1,000, 10,000 and 40,000 (scaled with SOAK_ROUNDS), and
// the growth per round between the last two: a host that keeps something of every round
// shows a steady slope there.
void BM_SoakMenuSliderAndToggle(benchmark::State& state) {
    const int rounds = std::getenv("SOAK_ROUNDS") ? 4 * kRounds : 40'000;
    const int checkpoints[] = {rounds / 40, rounds / 4, rounds};
    MenuSoakHost host;
    for (auto _ : state) {
        double resident[3] = {}, heap[3] = {};
        int next = 0;
        for (int round = 1; round <= rounds; ++round) {
            MenuSoakHost::round(round);
            if (round == checkpoints[next]) {
                resident[next] = residentKibibytes();
                heap[next++] = heapBytes();
            }
        }
        const double laterRounds = checkpoints[2] - checkpoints[1];
        state.counters["rounds"] = rounds;
        state.counters["rss_1k_kib"] = resident[0];
        state.counters["rss_10k_kib"] = resident[1];
        state.counters["rss_40k_kib"] = resident[2];
        state.counters["heap_10k_bytes"] = heap[1];
        state.counters["heap_40k_bytes"] = heap[2];
        state.counters["rss_slope_bytes_per_round"] =
            (resident[2] - resident[1]) * 1024 / laterRounds;
        state.counters["heap_slope_bytes_per_round"] = (heap[2] - heap[1]) / laterRounds;
        // What the allocator holds from the system, and the resident size once it has given
        // back the free pages it keeps for reuse.
        state.counters["arena_40k_bytes"] = static_cast<double>(::mallinfo2().arena);
        ::malloc_trim(0);
        state.counters["rss_40k_trimmed_kib"] = residentKibibytes();
    }
}
BENCHMARK(BM_SoakMenuSliderAndToggle)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
