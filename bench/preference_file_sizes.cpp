// Values files of 100,000, 1,000,000 and 2,000,000 keys ("<id>-volume" single-precision reals),
// in binary and XML: the parse, the memory the parsed dictionary holds beside the file's size,
// and a reader's use of the file once it is parsed (PreferenceFileCache), or refused when the
// file is over the preference-file limit.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/files/RootedFiles.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"
#include "core/preferences/PreferenceFileCache.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

constexpr const char* kValuesFile = "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

std::string fileOf(long long keys, core::PlistFormat format) {
    static std::map<std::pair<long long, core::PlistFormat>, std::string> files;
    auto& bytes = files[{keys, format}];
    if (bytes.empty()) {
        std::vector<core::PlistDictionary::Entry> entries;
        entries.reserve(static_cast<std::size_t>(keys));
        for (long long key = 0; key < keys; ++key)
            entries.emplace_back("com.bench.app" + std::to_string(key) + "-volume",
                                 core::PlistValue(0.25f));
        bytes = core::encodePropertyList(core::PlistValue(core::PlistDictionary(std::move(entries))),
                                         format)
                    .bytes;
    }
    return bytes;
}

std::size_t allocatedBytes() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_Parse(benchmark::State& state) {
    const auto format = static_cast<core::PlistFormat>(state.range(1));
    const std::string bytes = fileOf(state.range(0), format);
    std::size_t held = 0;
    for (auto _ : state) {
        const std::size_t before = allocatedBytes();
        auto value = core::parsePropertyList(bytes);
        held = allocatedBytes() - before;
        if (!value || value->asDictionary()->size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("the file did not read back");
        benchmark::DoNotOptimize(value);
    }
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["parsed_MB"] = static_cast<double>(held) / 1e6;
    state.counters["parsed_per_file_byte"] =
        static_cast<double>(held) / static_cast<double>(bytes.size());
}

// A use of the file by a reader once the file has been seen: the parsed dictionary, or the
// refusal of a file over the limit (a status call, no read).
void BM_ReadInUse(benchmark::State& state) {
    testing_support::TemporaryDirectory root;
    core::DeviceRoot::set(root.path());
    const auto format = static_cast<core::PlistFormat>(state.range(1));
    const auto files = core::RootedFiles::ofDeviceRoot();
    const auto directory = files->createDirectories("/var/mobile/Library/Preferences");
    directory->replaceFile("com.kelvrin.morvane.plist", fileOf(state.range(0), format));
    core::PreferenceFileCache::read(kValuesFile);
    std::this_thread::sleep_for(core::PreferenceFileCache::settleTime());
    core::PreferenceFileCache::read(kValuesFile);
    const std::size_t parses = core::PreferenceFileCache::parseCount();
    for (auto _ : state) benchmark::DoNotOptimize(core::PreferenceFileCache::read(kValuesFile));
    state.counters["parses_in_loop"] =
        static_cast<double>(core::PreferenceFileCache::parseCount() - parses);
    core::PreferenceFileCache::forgetAll();
}

void sizes(benchmark::internal::Benchmark* benchmark) {
    for (const long long keys : {100000, 1000000, 2000000})
        for (const auto format : {core::PlistFormat::Binary, core::PlistFormat::Xml})
            benchmark->Args({keys, static_cast<long long>(format)});
}

}  // namespace

BENCHMARK(BM_Parse)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadInUse)->Apply(sizes)->Unit(benchmark::kMicrosecond);
