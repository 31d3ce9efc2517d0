#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "RuntimeFixture.h"

using rt::Object;
using rt::Selector;

namespace {

struct SharedCounter : rt::Object {
    static constexpr const char* kClassName = "SharedCounter";
    std::atomic<long long> _total{0};
};

long long bump(Object* self, Selector, long long amount) {
    return static_cast<SharedCounter*>(self)->_total.fetch_add(amount) + amount;
}
long long identity(Object*, Selector, long long value) {
    return value;
}

class ConcurrencyTest : public RuntimeTest {};

// Many threads send many selectors to instances of several classes while every cache is
// still empty, so lookups, cache fills and table growth all race. ThreadSanitizer reports
// any data race in them.
TEST_F(ConcurrencyTest, ConcurrentSendsWhileCachesFill) {
    rt::Class* counterClass = rt::registerClass<Counter>();
    rt::registerClass<SpecialCounter, Counter>();
    std::vector<Selector> selectors;
    for (int i = 0; i < 200; ++i) {
        selectors.push_back(rt::sel("concurrentSelector" + std::to_string(i) + ":"));
        rt::detail::addMethod(counterClass, selectors.back(), &identity);
    }
    ASSERT_TRUE(rt::detail::addMethod(rt::registerClass<SharedCounter>(), rt::sel("bump:"), &bump));
    auto shared = rt::make<SharedCounter>();

    constexpr int kThreads = 4;
    constexpr int kRounds = 50;
    std::atomic<int> wrongAnswers{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            auto own = t % 2 ? rt::make<Counter>() : rt::Ref<Counter>(rt::make<SpecialCounter>());
            for (int round = 0; round < kRounds; ++round) {
                for (std::size_t i = 0; i < selectors.size(); ++i) {
                    const auto value = static_cast<long long>(i + round);
                    if (rt::send<long long>(own, selectors[i], value) != value) ++wrongAnswers;
                }
                rt::send<long long>(shared, rt::sel("bump:"), 1LL);
                // New selectors while others send make the cache tables grow.
                rt::sel("grown" + std::to_string(t) + "_" + std::to_string(round));
                EXPECT_FALSE(rt::respondsToSelector(own, rt::sel("grown" + std::to_string(round))));
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrongAnswers.load(), 0);
    EXPECT_EQ(shared->_total.load(), kThreads * kRounds);
}

// A weak reference locked on one thread while the last strong one is dropped on another
// either answers a live object or null, never a destroyed one.
TEST_F(ConcurrencyTest, WeakLockRacesDestruction) {
    rt::registerClass<Tracked>();
    for (int round = 0; round < 200; ++round) {
        int destroyed = 0;
        auto object = rt::make<Tracked>(destroyed);
        rt::Weak<Tracked> weak = object;
        std::atomic<bool> go{false};
        std::thread locker([&] {
            while (!go.load()) {
            }
            for (int i = 0; i < 50; ++i) {
                if (auto locked = weak.lock()) {
                    EXPECT_EQ(locked->_destroyed, 0);  // alive while held
                }
            }
        });
        go.store(true);
        object = nullptr;
        locker.join();
        EXPECT_EQ(destroyed, 1);
        EXPECT_TRUE(weak.expired());
    }
}

TEST_F(ConcurrencyTest, ConcurrentInterningAgreesOnOneSelectorPerName) {
    std::vector<std::vector<Selector>> seen(4);
    std::vector<std::thread> threads;
    for (auto& mine : seen) {
        threads.emplace_back([&mine] {
            for (int i = 0; i < 300; ++i) mine.push_back(rt::sel("interned" + std::to_string(i)));
        });
    }
    for (auto& thread : threads) thread.join();
    for (const auto& other : seen) EXPECT_EQ(other, seen.front());
}

}  // namespace
