// Drawing the phone's screen and the timeline: the full home screen with an open icon menu
// and its editors at the screen's scale (the menu built from the editor views, as the
// reference scenes build it), the home screen alone, the PNG encoding of a screen, and the
// plot of a ten-minute timeline.
#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <filesystem>
#include <string>

#include "RenderWorld.h"
#include "Scenes.h"
#include "device/LevelText.h"
#include "render/PngEncoder.h"
#include "render/ScreenRenderer.h"
#include "render/TimelinePlot.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

void BM_HomeScreenWithOpenMenu(benchmark::State& benchState) {
    render_testing::RenderWorld world;
    const render::ScreenState screen = render_testing::homeScreenWithMenu(false);
    const render::ScreenRenderer renderer;
    for (auto _ : benchState) benchmark::DoNotOptimize(renderer.render(screen));
}
BENCHMARK(BM_HomeScreenWithOpenMenu)->Unit(benchmark::kMillisecond);

void BM_HomeScreen(benchmark::State& benchState) {
    render_testing::RenderWorld world;
    const render::ScreenState screen = render_testing::homeScreen();
    const render::ScreenRenderer renderer;
    for (auto _ : benchState) benchmark::DoNotOptimize(renderer.render(screen));
}
BENCHMARK(BM_HomeScreen)->Unit(benchmark::kMillisecond);

// An app in front under both overlays: the heaviest screen without a menu.
void BM_AppWithBothOverlays(benchmark::State& benchState) {
    render_testing::RenderWorld world;
    render::ScreenState screen = render_testing::homeScreen();
    screen.frontApp = "com.example.maps";
    screen.volumeOverlayShowing = screen.brightnessOverlayShowing = true;
    const render::ScreenRenderer renderer;
    for (auto _ : benchState) benchmark::DoNotOptimize(renderer.render(screen));
}
BENCHMARK(BM_AppWithBothOverlays)->Unit(benchmark::kMillisecond);

void BM_ScreenPngFile(benchmark::State& benchState) {
    render_testing::RenderWorld world;
    const auto picture = render::ScreenRenderer().render(render_testing::homeScreenWithMenu(false));
    testing_support::TemporaryDirectory directory;
    for (auto _ : benchState) picture.writePng(directory.path() / "screen.png");
}
BENCHMARK(BM_ScreenPngFile)->Unit(benchmark::kMillisecond);

// The sharp home screen encoded in memory: cairo's own PNG writer (zlib's default level and
// libpng's adaptive filter choice) beside our encoder at a few settings (zlib level, row
// filter, zlib strategy). The file's size is reported with each.
cairo_status_t appendPng(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void BM_HomeScreenPngCairo(benchmark::State& benchState) {
    render_testing::RenderWorld world;
    const auto picture = render::ScreenRenderer().render(render_testing::homeScreen());
    std::string bytes;
    for (auto _ : benchState) {
        bytes.clear();
        cairo_surface_write_to_png_stream(picture.surface(), appendPng, &bytes);
    }
    benchState.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_HomeScreenPngCairo)->Unit(benchmark::kMillisecond);

void BM_HomeScreenPngEncoder(benchmark::State& benchState) {
    render_testing::RenderWorld world;
    const auto picture = render::ScreenRenderer().render(render_testing::homeScreen());
    const render::PngEncoder::Settings settings{static_cast<int>(benchState.range(0)),
                                                static_cast<int>(benchState.range(1)),
                                                static_cast<int>(benchState.range(2))};
    std::string bytes;
    for (auto _ : benchState) bytes = render::PngEncoder::encode(picture.surface(), settings);
    benchState.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_HomeScreenPngEncoder)
    ->ArgNames({"level", "filter", "strategy"})
    ->Args({6, PNG_ALL_FILTERS, Z_DEFAULT_STRATEGY})
    ->Args({1, PNG_ALL_FILTERS, Z_DEFAULT_STRATEGY})
    ->Args({1, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY})
    ->Args({2, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY})
    ->Args({3, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY})
    ->Args({1, PNG_FILTER_NONE, Z_RLE})
    ->Args({1, PNG_FILTER_SUB, Z_DEFAULT_STRATEGY})
    ->Args({1, PNG_FILTER_UP, Z_DEFAULT_STRATEGY})
    ->Args({2, PNG_FILTER_UP, Z_DEFAULT_STRATEGY})
    ->Args({3, PNG_FILTER_UP, Z_DEFAULT_STRATEGY})
    ->Args({6, PNG_FILTER_UP, Z_DEFAULT_STRATEGY})
    ->Args({1, PNG_FILTER_UP, Z_RLE})
    ->Args({1, PNG_FILTER_SUB, Z_RLE})
    ->Args({1, PNG_FILTER_PAETH, Z_RLE})
    ->Unit(benchmark::kMillisecond);

// What the snapshot command does after drawing: the sharp home screen encoded and written.
void BM_HomeScreenSnapshotFile(benchmark::State& benchState) {
    render_testing::RenderWorld world;
    const auto picture = render::ScreenRenderer().render(render_testing::homeScreen());
    testing_support::TemporaryDirectory directory;
    for (auto _ : benchState) picture.writePng(directory.path() / "screen.png");
}
BENCHMARK(BM_HomeScreenSnapshotFile)->Unit(benchmark::kMillisecond);

// Ten minutes of a busy phone: every 20 s an app comes to the front and leaves, each time
// with a volume change shown by the overlay, a brightness glide of 35 steps each way and a
// switch turned off and back on.
device::Timeline tenMinutes() {
    device::Timeline timeline;
    const auto home = device::Actor::service("home screen");
    const auto media = device::Actor::service("media controller");
    const auto brightness = device::Actor::service("brightness controller");
    const auto panel = device::Actor::service("switch panel");
    for (int cycle = 0; cycle < 30; ++cycle) {
        const double start = cycle * 20.0;
        const std::string app = "com.example.app" + std::to_string(cycle % 5);
        timeline.record({start, home, app + ": running, foreground (home screen)"});
        timeline.record(
            {start + 0.3, media, "volume 0.50 → 0.20 (media controller, overlay shown)"});
        timeline.record({start + 0.3, panel, "wifi on → off (switch panel)"});
        for (int step = 0; step < 35; ++step) {
            const double level = 0.5 + 0.01 * step;
            timeline.record({start + 0.2 + 0.01 * step, brightness,
                             "brightness " + device::levelText(level) + " → " +
                                 device::levelText(level + 0.01) +
                                 " (brightness controller, overlay hidden)"});
        }
        timeline.record({start + 10, home, app + ": running, background (home screen)"});
        timeline.record(
            {start + 10.3, media, "volume 0.20 → 0.50 (media controller, overlay hidden)"});
        timeline.record({start + 10.3, panel, "wifi off → on (switch panel)"});
        for (int step = 0; step < 35; ++step) {
            const double level = 0.85 - 0.01 * step;
            timeline.record({start + 10.2 + 0.01 * step, brightness,
                             "brightness " + device::levelText(level) + " → " +
                                 device::levelText(level - 0.01) +
                                 " (brightness controller, overlay hidden)"});
        }
    }
    return timeline;
}

void BM_TimelinePlotTenMinutes(benchmark::State& benchState) {
    const render::TimelinePlot::Input input{tenMinutes(), 600, 0.5, 0.5, {}};
    for (auto _ : benchState) benchmark::DoNotOptimize(render::TimelinePlot::render(input));
    benchState.counters["entries"] = static_cast<double>(input.timeline.size());
}
BENCHMARK(BM_TimelinePlotTenMinutes)->Unit(benchmark::kMillisecond);

}  // namespace
