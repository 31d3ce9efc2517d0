// The toggles row of the icon menu: building a TogglesView with all twelve buttons shown and
// laying it out, side by side with the same build when the resource bundle is missing (no
// image work at all) and with the twelve icon loads alone. No build may read an icon file
// more than once; the counters give the reads of the first build in a fresh world and of the
// build after it, counted by the kernel's file-open notifications on the installed bundle.
#include <benchmark/benchmark.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "device/Phone.h"
#include "rt/Make.h"
#include "rt/Runtime.h"
#include "tests/support/TemporaryDirectory.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/widgets/BundleHelper.h"
#include "tweak/widgets/TogglesView.h"
#include "tweak/widgets/WidgetClasses.h"
#include "ui/AnimationLog.h"
#include "ui/Color.h"
#include "ui/Image.h"
#include "ui/Toolkit.h"

namespace {

std::filesystem::path shippedBundle() {
    if (const char* overridden = std::getenv("MORVANE_BUNDLE_DIR")) return overridden;
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" /
           "MorvaneBundle.bundle";
}

// A fresh world on a temporary device root: the phone booted, the toolkit and the widgets
// registered, and the library's bundle installed unless asked otherwise.
class WidgetWorld {
  public:
    explicit WidgetWorld(bool withBundle) {
        rt::resetWorld();
        core::DeviceRoot::set(_root.path());
        core::Clock::boot(core::ClockMode::Virtual);
        device::Phone::boot({});
        ui::registerClasses();
        morvane::registerWidgetClasses();
        if (withBundle) {
            std::filesystem::create_directories(bundleDirectory().parent_path());
            std::filesystem::copy(shippedBundle(), bundleDirectory(),
                                  std::filesystem::copy_options::recursive);
        }
    }
    ~WidgetWorld() { core::Clock::boot(core::ClockMode::Real); }

    std::filesystem::path bundleDirectory() const {
        return _root.path() / std::string(morvane::BundleHelper::kBundlePath).substr(1);
    }

  private:
    testing_support::TemporaryDirectory _root;
};

// Counts the opens of the files of one directory, by name, from inotify events.
class FileOpenCounter {
  public:
    explicit FileOpenCounter(const std::filesystem::path& directory)
        : _fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (_fd < 0 || inotify_add_watch(_fd, directory.c_str(), IN_OPEN) < 0) {
            throw std::runtime_error("cannot watch " + directory.string());
        }
    }
    ~FileOpenCounter() { ::close(_fd); }
    FileOpenCounter(const FileOpenCounter&) = delete;
    FileOpenCounter& operator=(const FileOpenCounter&) = delete;

    // The opens since the last call, by file name.
    std::map<std::string, int> drain() {
        std::map<std::string, int> opens;
        alignas(inotify_event) std::array<char, 64 * 1024> buffer{};
        for (ssize_t length; (length = ::read(_fd, buffer.data(), buffer.size())) > 0;) {
            for (ssize_t offset = 0; offset < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
                if (event->len > 0) ++opens[event->name];
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return opens;
    }

  private:
    int _fd;
};

// What the menu does for a row of enabled toggles: make it, mark every button, fill and lay
// it out.
rt::Ref<morvane::TogglesView> buildRow() {
    auto view = rt::make<morvane::TogglesView>(ui::Rect(0, 0, 300, 30), ui::Color::whiteColor());
    for (const morvane::ToggleDefinition& toggle : morvane::ToggleCatalogue::toggles()) {
        view->toggleButton(toggle.name)->setHasToBeShown(true);
    }
    view->addEnabledButtonsToStackView();
    view->layoutIfNeeded();
    return view;
}

// The icon files one build opens: in all, and the most opens of any one of them.
std::pair<int, int> imageReadsOfOneBuild(FileOpenCounter& counter) {
    counter.drain();
    benchmark::DoNotOptimize(buildRow().get());
    int total = 0;
    int most = 0;
    for (const auto& [name, opens] : counter.drain()) {
        if (!name.ends_with(".png")) continue;
        total += opens;
        most = std::max(most, opens);
    }
    return {total, most};
}

// The reads of the first build in a fresh world and of the build after it.
void countImageReads(const WidgetWorld& world, benchmark::State& state) {
    FileOpenCounter counter(world.bundleDirectory());
    const auto [firstTotal, firstMost] = imageReadsOfOneBuild(counter);
    const auto [laterTotal, laterMost] = imageReadsOfOneBuild(counter);
    state.counters["first_build_reads"] = firstTotal;
    state.counters["later_build_reads"] = laterTotal;
    state.counters["max_reads_of_one_image"] = std::max(firstMost, laterMost);
}

void BM_BuildTogglesViewAndLayOut(benchmark::State& state) {
    WidgetWorld world(true);
    countImageReads(world, state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildRow().get());
        ui::AnimationLog::shared().clear();  // each build starts with an empty log
    }
}
BENCHMARK(BM_BuildTogglesViewAndLayOut)->Unit(benchmark::kMicrosecond);

void BM_BuildTogglesViewAndLayOutWithoutImages(benchmark::State& state) {
    WidgetWorld world(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildRow().get());
        ui::AnimationLog::shared().clear();
    }
}
BENCHMARK(BM_BuildTogglesViewAndLayOutWithoutImages)->Unit(benchmark::kMicrosecond);

void BM_LoadTwelveToggleIcons(benchmark::State& state) {
    WidgetWorld world(true);
    for (auto _ : state) {
        for (const morvane::ToggleDefinition& toggle : morvane::ToggleCatalogue::toggles()) {
            benchmark::DoNotOptimize(
                morvane::BundleHelper::getImageWithName(std::string(toggle.name) + "Icon").get());
        }
    }
}
BENCHMARK(BM_LoadTwelveToggleIcons)->Unit(benchmark::kMicrosecond);

// The same twelve icons the way they were loaded before the bundle's directory was held:
// each by its full device path, the root opened and the path walked within it every time.
void BM_LoadTwelveToggleIconsByDevicePath(benchmark::State& state) {
    WidgetWorld world(true);
    const std::string bundle = morvane::BundleHelper::kBundlePath;
    for (auto _ : state) {
        for (const morvane::ToggleDefinition& toggle : morvane::ToggleCatalogue::toggles()) {
            const auto image = ui::Image::imageWithContentsOfFile(
                bundle + "/" + std::string(toggle.name) + "Icon.png", 256);
            benchmark::DoNotOptimize(
                image->imageWithRenderingMode(ui::Image::RenderingMode::AlwaysTemplate).get());
        }
    }
}
BENCHMARK(BM_LoadTwelveToggleIconsByDevicePath)->Unit(benchmark::kMicrosecond);

}  // namespace
