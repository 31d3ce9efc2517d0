// A store of the tweak on a values file of 200,000 keys (11 MB of XML, within the 16 MiB a
// preferences file may hold), beside one read and one write of the same file: the store
// should cost about one of each (ratio near 1), not a multiple.
#include <benchmark/benchmark.h>

#include <string>

#include "core/files/RootedFiles.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "tests/support/TemporaryDirectory.h"
#include "tweak/store/CustomValuesStore.h"

namespace {

constexpr const char* kDirectory = "/var/mobile/Library/Preferences";
constexpr const char* kValuesFile = "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";
constexpr long long kKeys = 200000;

// A device root holding a values file of kKeys volumes, made once for every benchmark.
class LargeValuesFile {
  public:
    static LargeValuesFile& shared() {
        static LargeValuesFile file;
        return file;
    }

  private:
    LargeValuesFile() {
        core::DeviceRoot::set(_root.path());
        core::PreferenceFileUpdate::apply(
            kValuesFile,
            [](core::PlistDictionary& values) {
                for (long long i = 0; i < kKeys; ++i)
                    values.set("com.bench.app" + std::to_string(i) + "-volume",
                               core::PlistValue(0.25f));
            },
            core::PlistFormat::Xml);
    }
    testing_support::TemporaryDirectory _root;
};

// What a store cannot do with less: read the file, parse it, write it back.
void BM_ReadAndWriteOnce(benchmark::State& state) {
    LargeValuesFile::shared();
    const auto files = core::RootedFiles::ofDeviceRoot();
    const auto directory = files->openDirectory(kDirectory);
    for (auto _ : state) {
        auto bytes = files->readFile(kValuesFile);
        auto value = core::parsePropertyList(*bytes);
        bytes.reset();
        const std::string written = core::toXmlPropertyList(*value);
        benchmark::DoNotOptimize(directory->replaceFile("com.kelvrin.morvane.plist", written));
    }
    state.counters["keys"] = kKeys;
}
BENCHMARK(BM_ReadAndWriteOnce)->Unit(benchmark::kMillisecond)->Iterations(3);

// One store of the tweak, its in-memory copy already loaded (as in a running host).
void BM_StoreOnLargeFile(benchmark::State& state) {
    LargeValuesFile::shared();
    morvane::CustomValuesStore::resetForTesting();
    morvane::CustomValuesStore::getCustomValuesPerAppDictionary();
    float level = 0.1f;
    for (auto _ : state) {
        level = level > 0.8f ? 0.1f : level + 0.1f;
        benchmark::DoNotOptimize(
            morvane::CustomValuesStore::storeCustomVolumeForApp(level, "com.bench.app7"));
    }
    morvane::CustomValuesStore::resetForTesting();
    state.counters["keys"] = kKeys;
}
BENCHMARK(BM_StoreOnLargeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
