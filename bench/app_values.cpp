// Every app's values at a glance: the pane's "App values" page opened, and ValuesEditor's
// list and export run as the phone's shell runs them, each with a values file of 10,000 apps
// beside the same with 10 apps.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/PaneBenchRoot.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "prefs/MVAppValuesListController.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "settings/PSSpecifier.h"

namespace {

constexpr const char* kValuesFile = "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

// A values file as the home screen writes it: each app's volume and brightness, every other
// app two toggles, beside a setting.
void writeValuesFile(long long apps) {
    const auto update = core::PreferenceFileUpdate::apply(
        kValuesFile,
        [apps](core::PlistDictionary& values) {
            values = core::PlistDictionary{{"enabled", true}};
            for (long long i = 0; i < apps; ++i) {
                const std::string app = "com.bench.app" + std::to_string(i);
                values.set(app + "-volume", core::PlistValue(0.25f));
                values.set(app + "-brightness", core::PlistValue(0.5f));
                if (i % 2) continue;
                values.set(app + "-toggles", core::PlistDictionary{{"wifi", std::int32_t{1}},
                                                                   {"dnd", std::int32_t{0}}});
            }
        },
        core::PlistFormat::Xml);
    if (!update.written()) throw std::runtime_error("cannot write the values file");
}

// What the root page's "App values" link does: a new page, its view loaded, then shown.
void openAppValuesPage() {
    auto page = rt::make<morvane::prefs::MVAppValuesListController>();
    auto link = rt::make<settings::PSSpecifier>("App values", settings::PSCellType::Link,
                                                core::PlistDictionary{});
    rt::send<void>(page, rt::sel("setSpecifier:"), link);
    benchmark::DoNotOptimize(page->view());
    rt::send<void>(page, rt::sel("viewWillAppear:"), true);
}

void BM_OpenAppValuesPageFileUnchanged(benchmark::State& state) {
    bench_support::PaneBenchRoot::shared();
    writeValuesFile(state.range(0));
    openAppValuesPage();
    for (auto _ : state) openAppValuesPage();
    state.counters["apps"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OpenAppValuesPageFileUnchanged)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OpenAppValuesPageAfterTheFileChanged(benchmark::State& state) {
    bench_support::PaneBenchRoot::shared();
    for (auto _ : state) {
        state.PauseTiming();
        writeValuesFile(state.range(0));
        state.ResumeTiming();
        openAppValuesPage();
    }
    state.counters["apps"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OpenAppValuesPageAfterTheFileChanged)
    ->Arg(10)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// One run of ValuesEditor on the root, its output read to the end (the process's whole time).
void runEditor(const std::string& words) {
    const std::string command = std::string("'") + VALUES_EDITOR + "' --root '" +
                                bench_support::PaneBenchRoot::shared().path().string() + "' " +
                                words;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run ValuesEditor");
    char buffer[65536];
    while (std::fread(buffer, 1, sizeof buffer, pipe) > 0) {
    }
    if (::pclose(pipe) != 0) throw std::runtime_error("ValuesEditor failed: " + words);
}

void BM_ValuesEditor(benchmark::State& state, const char* words) {
    bench_support::PaneBenchRoot::shared();
    writeValuesFile(state.range(0));
    for (auto _ : state) runEditor(words);
    state.counters["apps"] = static_cast<double>(state.range(0));
}
BENCHMARK_CAPTURE(BM_ValuesEditor, list, "list")
    ->Arg(10)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ValuesEditor, exportJson, "export --json")
    ->Arg(10)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ValuesEditor, exportXml, "export --xml")
    ->Arg(10)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ValuesEditor, exportBinary, "export --binary")
    ->Arg(10)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
