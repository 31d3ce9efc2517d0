// The icon menu with the library installed in the home-screen host: a firm press until the
// menu is laid out, the rows' setups that run 0.1 s later (dark-mode detection, registration,
// the Toggles row's icons), and opening the Toggles editor (twelve buttons with their icons,
// laid out). Press and setups run with 10 and with 10,000 apps in the values file, side by
// side, so their ratio shows whether a press depends on the file's size.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <png.h>

#include <chrono>
#include <vector>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/dispatch/Clock.h"
#include "core/files/AtomicFile.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistDictionary.h"
#include "core/plist/PlistWriter.h"
#include "core/preferences/AppPreferences.h"
#include "core/process/ProcessInfo.h"
#include "core/unix/FileDescriptor.h"
#include "rt/Messaging.h"
#include "rt/Runtime.h"
#include "springboard/HomeScreen.h"
#include "springboard/IconMenu.h"
#include "springboard/SBUIActionView.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "springboard/SBUILegibilityLabel.h"
#include "tests/support/TemporaryDirectory.h"
#include "tweak/startup/Startup.h"
#include "tweak/widgets/BundleHelper.h"
#include "ui/ImageView.h"

namespace {

constexpr const char* kMaps = "com.example.maps";
constexpr const char* kValuesPath = "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

std::filesystem::path shippedBundle() {
    if (const char* overridden = std::getenv("MORVANE_BUNDLE_DIR")) return overridden;
    return MORVANE_RESOURCE_BUNDLE;
}

// Every app with a volume, a brightness and three switches, Maps among them.
core::PlistDictionary valuesOf(int appCount) {
    core::PlistDictionary values;
    for (int app = 0; app < appCount; ++app) {
        const std::string id =
            app == 0 ? std::string(kMaps) : "com.example.app" + std::to_string(app);
        values.set(id + "-volume", 0.25f);
        values.set(id + "-brightness", 0.5f);
        values.set(id + "-toggles",
                   core::PlistDictionary{{"wifi", 0}, {"bluetooth", 1}, {"vpn", 1}});
    }
    return values;
}

// A fresh device with the resource bundle and a values file of `appCount` apps, the host's
// world booted with the library started in it, and Maps installed.
class MenuWorld {
  public:
    explicit MenuWorld(int appCount) {
        rt::Runtime::reset();
        morvane::resetForTesting();
        core::DeviceRoot::set(_root.path());
        core::NotifyCenter::darwin().reset();
        core::resetAppPreferencesForTesting();
        core::Clock::boot(core::ClockMode::Virtual);
        const auto bundle =
            _root.path() / std::string(morvane::BundleHelper::kBundlePath).substr(1);
        std::filesystem::create_directories(bundle.parent_path());
        std::filesystem::copy(shippedBundle(), bundle, std::filesystem::copy_options::recursive);
        const auto values = core::DeviceRoot::mapForWriting(kValuesPath);
        if (!values || !core::writePropertyListFile(*values, core::PlistValue(valuesOf(appCount)),
                                                    core::PlistFormat::Binary))
            throw std::runtime_error("cannot write the values file");
        springboard::HomeScreen::bootWorld({}, false, [] {
            core::ProcessInfo::setProcessNameForTesting("SpringBoard");
            morvane::morvaneStartup();
        });
        springboard::HomeScreen::installApp(kMaps);
        // The first press reads the values file; the figures are of the presses after it.
        pressAndSettle();
    }
    ~MenuWorld() {
        springboard::IconMenu::reset(true);
        morvane::resetForTesting();
        core::ProcessInfo::setProcessNameForTesting("");
        rt::Runtime::reset();
        core::NotifyCenter::darwin().reset();
        core::Clock::boot(core::ClockMode::Real);
    }
    MenuWorld(const MenuWorld&) = delete;
    MenuWorld& operator=(const MenuWorld&) = delete;

    static void pressAndSettle() {
        springboard::IconMenu::press(kMaps);
        core::Clock::advance(0.1);
    }

    // A tap on the row's icon, where no editor covers it.
    static void choose(const std::string& title) {
        for (const auto& row : springboard::IconMenu::shortcutViewController()->rows()) {
            if (row->titleLabel()->text() != title) continue;
            const ui::View& icon = *row->imageView();
            const ui::Rect& b = icon.bounds();
            springboard::IconMenu::tap(
                icon.convertPointToView({b.x() + b.width() / 2, b.y() + b.height() / 2}, nullptr));
            return;
        }
        throw std::runtime_error("no row " + title);
    }

    void removeBundle() {
        std::filesystem::remove_all(_root.path() /
                                    std::string(morvane::BundleHelper::kBundlePath).substr(1));
    }

  private:
    testing_support::TemporaryDirectory _root;
};

void BM_PressToMenuLaidOut(benchmark::State& state) {
    MenuWorld world(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        springboard::IconMenu::press(kMaps);
        benchmark::DoNotOptimize(springboard::IconMenu::isOpen());
        // The setups the press scheduled run untimed, so that none piles up.
        state.PauseTiming();
        core::Clock::advance(0.1);
        state.ResumeTiming();
    }
    state.counters["apps"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_PressToMenuLaidOut)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The three custom rows' and the app's rows' setups, run by the clock 0.1 s after the press.
void BM_RowSetupsAfterPress(benchmark::State& state) {
    MenuWorld world(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        springboard::IconMenu::press(kMaps);
        state.ResumeTiming();
        core::Clock::advance(0.1);
    }
    state.counters["apps"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_RowSetupsAfterPress)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Choosing "Toggles" on a registered row: the editor made with its twelve buttons and their
// icons, laid over the row and laid out. Closing it again is not timed.
std::size_t viewCount(const ui::View& view) {
    std::size_t count = 1;
    for (const auto& subview : view.subviews()) count += viewCount(*subview);
    return count;
}

// With range(0) 0 the resource bundle is taken away after the press, so that the buttons
// get no icons: the editor's own work without any image or bundle read.
void BM_OpenTogglesEditor(benchmark::State& state) {
    MenuWorld world(10);
    if (state.range(0) == 0) world.removeBundle();
    for (auto _ : state) {
        MenuWorld::choose("Toggles");
        springboard::IconMenu::screen()->layoutIfNeeded();
        state.PauseTiming();
        MenuWorld::choose("Toggles");
        core::Clock::advance(0.25);
        state.ResumeTiming();
    }
    state.counters["views"] = static_cast<double>(viewCount(*springboard::IconMenu::screen()));
}
BENCHMARK(BM_OpenTogglesEditor)->ArgName("icons")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A grey 4096 x 4096 PNG (a few kilobytes; 64 MiB once decoded), or its first 1 % only.
std::string hostilePng(bool truncated) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = image.height = 4096;
    image.format = PNG_FORMAT_GRAY;
    const std::vector<std::uint8_t> pixels(std::size_t{4096} * 4096, 128);
    png_alloc_size_t size = 0;
    png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, nullptr);
    std::string bytes(size, '\0');
    png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr);
    bytes.resize(truncated ? size / 100 : size);
    return bytes;
}

// Every icon of the bundle replaced by a hostile picture (range(0): 0 whole, 1 truncated):
// the press, its rows' setups and the Toggles editor opened and closed. The first round
// decodes (or fails to decode) each file once; the figure is of the rounds after it.
void BM_PressWithHostileIcons(benchmark::State& state) {
    MenuWorld world(10);
    const std::string bytes = hostilePng(state.range(0) == 1);
    const auto bundle = std::filesystem::path(*core::DeviceRoot::get()) /
                        std::string(morvane::BundleHelper::kBundlePath).substr(1);
    for (const auto& entry : std::filesystem::directory_iterator(bundle)) {
        if (entry.path().extension() != ".png") continue;
        std::filesystem::remove(entry.path());
        core::FileDescriptor file(::open(entry.path().c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644));
        if (!core::writeAll(file.get(), bytes)) throw std::runtime_error("cannot write an icon");
    }
    const auto round = [] {
        MenuWorld::pressAndSettle();
        MenuWorld::choose("Toggles");
        springboard::IconMenu::screen()->layoutIfNeeded();
        MenuWorld::choose("Toggles");
        core::Clock::advance(0.25);
    };
    const auto firstStart = std::chrono::steady_clock::now();
    round();
    state.counters["first_round_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - firstStart)
            .count();
    for (auto _ : state) round();
}
BENCHMARK(BM_PressWithHostileIcons)
    ->ArgName("truncated")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
