#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "RuntimeFixture.h"

using rt::Object;
using rt::Selector;

namespace {

long long answerOne(Object*, Selector, long long) {
    return 1;
}
long long answerTwo(Object*, Selector, long long) {
    return 2;
}
long long answerThree(Object*, Selector, long long) {
    return 3;
}

class ConcurrentChangeTest : public RuntimeTest {};

// Senders keep filling caches while methods are added and hooked (start-up work that a
// late-loaded library may still do). Every answer is one of the implementations in place at
// some moment, never a crash or a stale one once the change is done; ThreadSanitizer reports
// any race between a cache fill and an invalidation.
TEST_F(ConcurrentChangeTest, SendsStayCorrectWhileMethodsAreAddedAndHooked) {
    rt::Class* counterClass = rt::registerClass<Counter>();
    rt::Class* specialClass = rt::registerClass<SpecialCounter, Counter>();
    const Selector value = rt::sel("concurrentValue:");
    ASSERT_TRUE(rt::detail::addMethod(counterClass, value, &answerOne));

    std::atomic<bool> stop{false};
    std::atomic<int> impossibleAnswers{0};
    std::vector<std::thread> senders;
    for (int t = 0; t < 3; ++t) {
        senders.emplace_back([&] {
            auto special = rt::make<SpecialCounter>();
            while (!stop.load()) {
                const long long answer = rt::send<long long>(special, value, 0LL);
                if (answer < 1 || answer > 3) ++impossibleAnswers;
                rt::respondsToSelector(special, rt::sel("notYetThere"));
            }
        });
    }
    long long (*original)(Object*, Selector, long long) = nullptr;
    for (int round = 0; round < 20; ++round) {
        rt::detail::addMethod(counterClass, rt::sel("added" + std::to_string(round)), &answerOne);
    }
    ASSERT_TRUE(
        rt::detail::addMethod(specialClass, value, &answerTwo));  // overrides the inherited one
    ASSERT_TRUE(rt::detail::hookMessage(specialClass, value, &answerThree, &original));
    stop.store(true);
    for (auto& sender : senders) sender.join();

    EXPECT_EQ(impossibleAnswers.load(), 0);
    EXPECT_EQ(original, &answerTwo);
    EXPECT_EQ(rt::send<long long>(rt::make<SpecialCounter>(), value, 0LL), 3);
    EXPECT_EQ(rt::send<long long>(rt::make<Counter>(), value, 0LL), 1);
}

}  // namespace
