#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "RuntimeFixture.h"
#include "rt/MethodBinding.h"

namespace {

// A class whose runtime face is bound straight from its members.
struct Gauge : rt::Object {
    static constexpr const char* kClassName = "Gauge";

    void setLevel(double level) { _level = level; }
    double level() const { return _level; }
    const std::string& title() const { return _title; }
    void setTitle(std::string_view title) { _title = title; }
    Counter* counter() const { return _counter.get(); }
    void setCounter(rt::Ref<Counter> counter) { _counter = std::move(counter); }
    long long addCounts(Counter* first, Counter* second) {
        return (first ? first->_count : 0) + (second ? second->_count : 0);
    }
    static rt::Ref<Gauge> make() { return rt::make<Gauge>(); }
    static long long twice(long long value) { return 2 * value; }

    double _level = 0;
    std::string _title;
    rt::Ref<Counter> _counter;
};

struct Dial : Gauge {
    static constexpr const char* kClassName = "Dial";
};

long long runtimeForm(rt::Object* self, rt::Selector, long long amount) {
    return asCounter(self)._count += amount;
}

class MethodBindingTest : public RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        counterClass = rt::registerClass<Counter>();
        gaugeClass = rt::registerClass<Gauge>();
        dialClass = rt::registerClass<Dial, Gauge>();
        rt::addMethods(gaugeClass, {
                                       rt::bind<&Gauge::setLevel>("setLevel:"),
                                       rt::bind<&Gauge::level>("level"),
                                       rt::bind<&Gauge::title>("title"),
                                       rt::bind<&Gauge::setTitle>("setTitle:"),
                                       rt::bind<&Gauge::counter>("counter"),
                                       rt::bind<&Gauge::setCounter>("setCounter:"),
                                       rt::bind<&Gauge::addCounts>("addCount:toCount:"),
                                   });
        rt::addClassMethods(gaugeClass, {
                                            rt::bind<&Gauge::make>("gauge"),
                                            rt::bind<&Gauge::twice>("twice:"),
                                        });
    }
    rt::Class* counterClass = nullptr;
    rt::Class* gaugeClass = nullptr;
    rt::Class* dialClass = nullptr;
};

TEST_F(MethodBindingTest, MembersAnswerSendsWithNaturalTypesConverted) {
    auto gauge = rt::make<Gauge>();
    rt::send<void>(gauge, rt::sel("setLevel:"), 0.25);
    EXPECT_DOUBLE_EQ(rt::send<double>(gauge, rt::sel("level")), 0.25);
    rt::send<void>(gauge, rt::sel("setTitle:"), "Volume");
    EXPECT_EQ(rt::send<std::string>(gauge, rt::sel("title")), "Volume");

    auto counter = rt::make<Counter>();
    counter->_count = 3;
    rt::send<void>(gauge, rt::sel("setCounter:"), counter);
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(gauge, rt::sel("counter")), counter);
    EXPECT_EQ(counter->retainCount(), 2u);  // the gauge's reference and ours
    EXPECT_EQ(rt::send<long long>(gauge, rt::sel("addCount:toCount:"), counter, counter), 6);
}

TEST_F(MethodBindingTest, AnObjectOfAnotherClassArrivesAsNull) {
    auto gauge = rt::make<Gauge>();
    auto notACounter = rt::make<Gauge>();
    rt::send<void>(gauge, rt::sel("setCounter:"), notACounter);
    EXPECT_EQ(gauge->_counter, nullptr);
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(gauge, rt::sel("counter")), nullptr);
}

TEST_F(MethodBindingTest, SubclassInstancesReachTheBoundMembers) {
    auto dial = rt::make<Dial>();
    rt::send<void>(dial, rt::sel("setLevel:"), 0.75);
    EXPECT_DOUBLE_EQ(dial->_level, 0.75);
}

TEST_F(MethodBindingTest, StaticFunctionsBecomeClassMethods) {
    auto made = rt::send<rt::Ref<rt::Object>>(gaugeClass, rt::sel("gauge"));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->getClass(), gaugeClass);
    EXPECT_EQ(rt::send<long long>(gaugeClass, rt::sel("twice:"), 21LL), 42);
    EXPECT_FALSE(rt::respondsToSelector(rt::make<Gauge>(), rt::sel("twice:")));
}

TEST_F(MethodBindingTest, ASendWithOtherTypesStillThrowsSignatureMismatch) {
    auto gauge = rt::make<Gauge>();
    EXPECT_THROW(rt::send<void>(gauge, rt::sel("setLevel:"), 1), rt::SignatureMismatch);
    EXPECT_THROW(rt::send<void>(gauge, rt::sel("setLevel:"), 0.5f), rt::SignatureMismatch);
    EXPECT_THROW(rt::send<long long>(gauge, rt::sel("level")), rt::SignatureMismatch);
    EXPECT_THROW(rt::send<void>(gauge, rt::sel("setCounter:"), 1.0), rt::SignatureMismatch);
    EXPECT_DOUBLE_EQ(gauge->_level, 0);
}

TEST_F(MethodBindingTest, AReceiverOfAnotherTypeIsRefused) {
    // A member of Gauge added to a class whose instances are no Gauges.
    rt::addMethods(counterClass, {rt::bind<&Gauge::level>("level")});
    auto counter = rt::make<Counter>();
    EXPECT_THROW(rt::send<double>(counter, rt::sel("level")), std::logic_error);
}

TEST_F(MethodBindingTest, FunctionsInTheRuntimeFormAreAddedAsTheyAre) {
    EXPECT_EQ(rt::addMethods(counterClass, {rt::bind<&runtimeForm>("addTo:")}), 1);
    auto counter = rt::make<Counter>();
    EXPECT_EQ(rt::send<long long>(counter, rt::sel("addTo:"), 4LL), 4);
    // A class's own method is kept, as addMethod does.
    EXPECT_EQ(rt::addMethods(counterClass, {rt::bind<&runtimeForm>("addTo:")}), 0);
}

}  // namespace
