// Delivery latency of a notification between two processes of one device root: this process
// posts "ping", a second process answers each ping with "pong". One delivery is half a round
// trip; the median and the 99th percentile of the round trips are reported as counters.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<std::size_t>(fraction * (samples.size() - 1))];
}

void BM_NotificationRoundTripBetweenProcesses(benchmark::State& state) {
    testing_support::TemporaryDirectory root;
    core::DeviceRoot::set(root.path());
    core::Clock::boot(core::ClockMode::Real);
    auto& center = core::NotifyCenter::darwin();
    center.reset();

    testing_support::Subprocess peer(std::string(NOTIFY_TOOL) + " --root " +
                                     testing_support::shellQuote(root.path()) +
                                     " pong bench/ping bench/pong");
    if (peer.readLine() != "ready") throw std::runtime_error("peer did not start");
    int pongs = 0;
    center.addObserver("bench/pong", [&](const std::string&) { ++pongs; });

    std::vector<double> roundTrips;
    for (auto _ : state) {
        const int expected = pongs + 1;
        const auto start = std::chrono::steady_clock::now();
        core::NotifyCenter::post("bench/ping");
        if (!core::RunLoop::main().runUntil([&] { return pongs >= expected; }, 5)) {
            state.SkipWithError("a pong did not arrive");
            break;
        }
        roundTrips.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (!roundTrips.empty()) {
        state.counters["roundtrip_median_us"] = percentile(roundTrips, 0.5);
        state.counters["roundtrip_p99_us"] = percentile(roundTrips, 0.99);
        state.counters["delivery_median_us"] = percentile(roundTrips, 0.5) / 2;
        state.counters["delivery_p99_us"] = percentile(roundTrips, 0.99) / 2;
    }
    center.reset();
    core::NotifyCenter::post("bench/ping/stop");
    peer.wait();
}
BENCHMARK(BM_NotificationRoundTripBetweenProcesses)
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
