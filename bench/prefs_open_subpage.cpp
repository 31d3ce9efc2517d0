// Opening the pane's largest page (every row reads its value from the settings file) with a
// settings file holding the values of 10,000 apps, beside the same with 10 apps: the first
// open after the file changed parses it; later opens reuse the parse while it is unchanged.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/PaneBenchRoot.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "prefs/MVSubPrefsListController.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "settings/PSSpecifier.h"

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/MorvanePrefs.bundle";
constexpr const char* kValuesFile = "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";
// The page of the most rows.
constexpr const char* kLargestPage = "Restore";

// Writes a settings file of `apps` apps' volume, brightness and toggles beside the settings.
void writeValuesFile(long long apps) {
    const auto update = core::PreferenceFileUpdate::apply(
        kValuesFile,
        [apps](core::PlistDictionary& values) {
            values = core::PlistDictionary{};
            values.set("restorePreviousWifiOnAppExit", core::PlistValue(false));
            for (long long i = 0; i < apps; ++i) {
                const std::string app = "com.bench.app" + std::to_string(i);
                values.set(app + "-volume", core::PlistValue(0.25f));
                values.set(app + "-brightness", core::PlistValue(0.5f));
                core::PlistDictionary toggles;
                toggles.set("wifi", core::PlistValue(std::int64_t{1}));
                values.set(app + "-toggles", core::PlistValue(std::move(toggles)));
            }
        },
        core::PlistFormat::Binary);
    if (!update.written()) throw std::runtime_error("cannot write the values file");
}

// What the root page's link does: a new page for the link's specifier, its view loaded (the
// table asks every row's value).
void openLargestPage() {
    auto page = rt::make<morvane::prefs::MVSubPrefsListController>();
    page->setBundlePath(kBundle);
    auto link = rt::make<settings::PSSpecifier>("Restore on exit", settings::PSCellType::Link,
                                                core::PlistDictionary{});
    link->setProperty("MVSubPrefs", core::PlistValue(kLargestPage));
    rt::send<void>(page, rt::sel("setSpecifier:"), link);
    benchmark::DoNotOptimize(page->view());
    rt::send<void>(page, rt::sel("viewWillAppear:"), true);
}

// Every open finds the file changed since the last one (as after a save by the home screen).
void BM_OpenLargestPageAfterTheFileChanged(benchmark::State& state) {
    bench_support::PaneBenchRoot::shared();
    writeValuesFile(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        writeValuesFile(state.range(0));
        state.ResumeTiming();
        openLargestPage();
    }
    state.counters["apps"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OpenLargestPageAfterTheFileChanged)
    ->Arg(10)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// The file unchanged since the last open.
void BM_OpenLargestPageFileUnchanged(benchmark::State& state) {
    bench_support::PaneBenchRoot::shared();
    writeValuesFile(state.range(0));
    openLargestPage();
    for (auto _ : state) openLargestPage();
    state.counters["apps"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OpenLargestPageFileUnchanged)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
