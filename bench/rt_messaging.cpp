// Messaging cost side by side: the same work (add the argument to a counter member) done
// through a C++ virtual call, a runtime send of a cached method, and a send of a replaced
// method whose replacement calls its original. Compare BM_Send and BM_HookedSend with
// BM_VirtualCall and BM_Send respectively.
#include <benchmark/benchmark.h>

#include <memory>

#include "rt/Hook.h"
#include "rt/MethodBinding.h"
#include "rt/rt.h"

// Two overriders and a factory the optimiser cannot see through, so the baseline is a
// real indirect call (as across a library boundary) rather than an inlined add.
class VirtualCounter {
  public:
    virtual ~VirtualCounter() = default;
    virtual long long add(long long amount) = 0;
    long long _count = 0;
};
class AddingCounter : public VirtualCounter {
  public:
    long long add(long long amount) override { return _count += amount; }
};
class SubtractingCounter : public VirtualCounter {
  public:
    long long add(long long amount) override { return _count -= amount; }
};
[[gnu::noinline]] std::unique_ptr<VirtualCounter> makeVirtualCounter(bool adding) {
    if (adding) return std::make_unique<AddingCounter>();
    return std::make_unique<SubtractingCounter>();
}

namespace {

class BenchCounter : public rt::Object {
  public:
    static constexpr const char* kClassName = "BenchCounter";
    long long add(long long amount) { return _count += amount; }
    long long _count = 0;
};

long long addReplacement(rt::Object* self, rt::Selector cmd, long long amount) {
    return rt::original<&addReplacement>(self, cmd, amount);
}

// A fresh world with BenchCounter answering add: (and hooked: when asked).
rt::Ref<BenchCounter> makeCounter(bool hooked) {
    rt::resetWorld();
    rt::Class* cls = rt::registerClass<BenchCounter>();
    rt::addMethods(cls, {rt::bind<&BenchCounter::add>("add:")});
    if (hooked) rt::hook<&addReplacement>(cls, "add:");
    return rt::make<BenchCounter>();
}

void BM_VirtualCall(benchmark::State& state) {
    bool adding = true;
    benchmark::DoNotOptimize(adding);
    auto owned = makeVirtualCounter(adding);
    VirtualCounter* counter = owned.get();
    benchmark::DoNotOptimize(counter);
    long long amount = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(amount);
        benchmark::DoNotOptimize(counter->add(amount));
    }
}
BENCHMARK(BM_VirtualCall);

void BM_Send(benchmark::State& state) {
    auto counter = makeCounter(false);
    const rt::Selector add = rt::sel("add:");
    long long amount = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(amount);
        benchmark::DoNotOptimize(rt::send<long long>(counter.get(), add, amount));
    }
}
BENCHMARK(BM_Send);

void BM_HookedSend(benchmark::State& state) {
    auto counter = makeCounter(true);
    const rt::Selector add = rt::sel("add:");
    long long amount = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(amount);
        benchmark::DoNotOptimize(rt::send<long long>(counter.get(), add, amount));
    }
}
BENCHMARK(BM_HookedSend);

}  // namespace
