// Reading and atomically writing the per-app values file of 10,000 apps (30,000 entries:
// "<id>-volume" single-precision real, "<id>-brightness" real, "<id>-toggles" dictionary),
// in XML and binary form. The files are written to $MORVANE_PLIST_BENCH_DIR when it is set
// (and kept there, for bench/plist_vs_python.py), else to a temporary directory.
#include "core/paths/TemporaryDirectory.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr int kAppCount = 10000;

core::PlistDictionary appValues() {
    core::PlistDictionary values;
    for (int app = 0; app < kAppCount; ++app) {
        const std::string id = "com.example.app" + std::to_string(app);
        values.set(id + "-volume", static_cast<float>(app % 100) / 100.0f);
        values.set(id + "-brightness", static_cast<double>(app % 7) / 7.0);
        values.set(id + "-toggles",
                   core::PlistDictionary{{"wifi", app % 2}, {"bluetooth", 0}, {"dnd", 1}});
    }
    return values;
}

class BenchFiles {
  public:
    BenchFiles() : _values(appValues()) {
        if (const char* directory = std::getenv("MORVANE_PLIST_BENCH_DIR")) {
            _directory = directory;
        } else {
            _temporary = std::make_unique<core::TemporaryDirectory>("plist-bench-");
            _directory = _temporary->path();
        }
        if (!core::writePropertyListFile(xmlPath(), _values, core::PlistFormat::Xml) ||
            !core::writePropertyListFile(binaryPath(), _values, core::PlistFormat::Binary))
            throw std::runtime_error("cannot write the benchmark files");
    }
    BenchFiles(const BenchFiles&) = delete;
    BenchFiles& operator=(const BenchFiles&) = delete;

    const core::PlistDictionary& values() const { return _values; }
    std::filesystem::path xmlPath() const { return _directory / "values.xml.plist"; }
    std::filesystem::path binaryPath() const { return _directory / "values.binary.plist"; }
    std::filesystem::path writePath() const { return _directory / "written.plist"; }

  private:
    core::PlistDictionary _values;
    std::unique_ptr<core::TemporaryDirectory> _temporary;  // removed with the files
    std::filesystem::path _directory;
};

const BenchFiles& benchFiles() {
    static const BenchFiles files;
    return files;
}

void readFile(benchmark::State& state, const std::filesystem::path& path) {
    const auto bytes = std::filesystem::file_size(path);
    for (auto _ : state) {
        auto values = core::dictionaryWithContentsOfFile(path);
        if (!values || values->size() != 3 * kAppCount)
            state.SkipWithError("the values file did not read back");
        benchmark::DoNotOptimize(values);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["entries"] = 3 * kAppCount;
}

void writeFile(benchmark::State& state, core::PlistFormat format) {
    const core::PlistValue values(benchFiles().values());
    for (auto _ : state) {
        if (!core::writePropertyListFile(benchFiles().writePath(), values, format))
            state.SkipWithError("the atomic write failed");
    }
    state.counters["entries"] = 3 * kAppCount;
}

void BM_ReadXml(benchmark::State& state) {
    readFile(state, benchFiles().xmlPath());
}

void BM_ReadBinary(benchmark::State& state) {
    readFile(state, benchFiles().binaryPath());
}

void BM_WriteXmlAtomically(benchmark::State& state) {
    writeFile(state, core::PlistFormat::Xml);
}

void BM_WriteBinaryAtomically(benchmark::State& state) {
    writeFile(state, core::PlistFormat::Binary);
}

}  // namespace

BENCHMARK(BM_ReadXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteXmlAtomically)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBinaryAtomically)->Unit(benchmark::kMillisecond);
