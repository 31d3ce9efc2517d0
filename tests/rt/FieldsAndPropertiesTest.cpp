#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "RuntimeFixture.h"
#include "foundation/Number.h"
#include "foundation/Property.h"

using rt::Object;

namespace {

class FieldsTest : public RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        counterClass = rt::registerClass<Counter>();
        specialClass = rt::registerClass<SpecialCounter, Counter>();
        rt::declareField(counterClass, "_label", &Counter::_label);
        rt::declareField(counterClass, "_count", &Counter::_count);
        rt::declareField(specialClass, "_title", &SpecialCounter::_title);
    }
    rt::Class* counterClass = nullptr;
    rt::Class* specialClass = nullptr;
};

TEST_F(FieldsTest, FieldsAreFoundThroughTheSuperclassChain) {
    auto special = rt::make<SpecialCounter>();
    special->_label = rt::make<Counter>();
    special->_count = 41;
    EXPECT_EQ(rt::getField(special.get(), "_label"), special->_label.get());
    long long* count = rt::fieldPointer<long long>(special.get(), "_count");
    ASSERT_NE(count, nullptr);
    ++*count;
    EXPECT_EQ(special->_count, 42);
    std::string* title = rt::fieldPointer<std::string>(special.get(), "_title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(*title, "special");
}

TEST_F(FieldsTest, MissingWrongTypeAndNonObjectFieldsAnswerNull) {
    auto counter = rt::make<Counter>();
    EXPECT_EQ(rt::getField(counter.get(), "_label"), nullptr);  // holds nothing yet
    EXPECT_EQ(rt::getField(counter.get(), "_missing"), nullptr);
    EXPECT_EQ(rt::getField(counter.get(), "_count"), nullptr);  // not an object
    EXPECT_EQ(rt::getField(counter.get(), "_title"), nullptr);  // the subclass's field
    EXPECT_EQ(rt::fieldPointer<int>(counter.get(), "_count"), nullptr);
    EXPECT_EQ(rt::fieldPointer<long long>(nullptr, "_count"), nullptr);
    EXPECT_EQ(rt::getField(rt::make<Object>().get(), "_label"), nullptr);
}

TEST_F(FieldsTest, AForgottenFieldIsNotFoundAndAnEmptyOneStillExists) {
    auto special = rt::make<SpecialCounter>();
    EXPECT_TRUE(rt::hasField(special.get(), "_label"));  // declared, holding nothing
    EXPECT_TRUE(rt::hasField(special.get(), "_title"));
    EXPECT_FALSE(rt::hasField(special.get(), "_missing"));
    EXPECT_FALSE(rt::hasField(nullptr, "_label"));
    rt::forgetField(specialClass, "_label");  // not the subclass's own: kept
    EXPECT_TRUE(rt::hasField(special.get(), "_label"));
    rt::forgetField(specialClass, "_title");
    EXPECT_FALSE(rt::hasField(special.get(), "_title"));
    EXPECT_EQ(rt::fieldPointer<std::string>(special.get(), "_title"), nullptr);
    rt::declareField(specialClass, "_title", &SpecialCounter::_title);
    EXPECT_NE(rt::fieldPointer<std::string>(special.get(), "_title"), nullptr);
}

TEST_F(FieldsTest, AFieldDeclaredOnAClassOfAnotherCppTypeIsNeverRead) {
    // "TweakCounter" is a name-only class whose instances are plain Objects.
    rt::Class* plain = rt::Runtime::registerClass("Plain", rt::lookUpClass("NSObject"));
    rt::declareField(plain, "_count", &Counter::_count);
    rt::Ref<Object> object = rt::makeOfClass(plain);
    EXPECT_EQ(rt::fieldPointer<long long>(object.get(), "_count"), nullptr);
}

class PropertyTest : public RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        counterClass = rt::registerClass<Counter>();
    }
    rt::Class* counterClass = nullptr;
};

TEST_F(PropertyTest, GettersAndSettersWithDefaults) {
    ASSERT_TRUE(rt::Property<double>::add(counterClass, "volumeBeforeOpening"));
    ASSERT_TRUE(rt::Property<bool>::add(counterClass, "wasMuted"));
    ASSERT_TRUE(rt::Property<long long>::add(counterClass, "openCount"));
    ASSERT_TRUE(rt::Property<std::int64_t>::add(counterClass, "closeCount"));
    ASSERT_TRUE(rt::Property<rt::Ref<Object>>::add(counterClass, "record"));
    auto counter = rt::make<Counter>();

    EXPECT_EQ(rt::send<double>(counter, rt::sel("volumeBeforeOpening")), 0.0);
    EXPECT_FALSE(rt::send<bool>(counter, rt::sel("wasMuted")));
    EXPECT_EQ(rt::send<rt::Ref<Object>>(counter, rt::sel("record")), nullptr);

    rt::send<void>(counter, rt::sel("setVolumeBeforeOpening:"), 0.7);
    rt::send<void>(counter, rt::sel("setWasMuted:"), true);
    rt::send<void>(counter, rt::sel("setOpenCount:"), 9007199254740993LL);  // not a double
    rt::send<void>(counter, rt::sel("setCloseCount:"), std::int64_t{-3});
    auto record = rt::make<Counter>();
    rt::send<void>(counter, rt::sel("setRecord:"), record);

    EXPECT_DOUBLE_EQ(rt::send<double>(counter, rt::sel("volumeBeforeOpening")), 0.7);
    EXPECT_TRUE(rt::send<bool>(counter, rt::sel("wasMuted")));
    EXPECT_EQ(rt::send<long long>(counter, rt::sel("openCount")), 9007199254740993LL);
    EXPECT_EQ(rt::send<std::int64_t>(counter, rt::sel("closeCount")), -3);
    EXPECT_EQ(rt::send<rt::Ref<Object>>(counter, rt::sel("record")), record);

    rt::send<void>(counter, rt::sel("setRecord:"), nullptr);
    EXPECT_EQ(rt::send<rt::Ref<Object>>(counter, rt::sel("record")), nullptr);
    EXPECT_EQ(record->retainCount(), 1u);
}

TEST_F(PropertyTest, ValuesAreKeptPerObjectAndPerProperty) {
    rt::Property<double>::add(counterClass, "volume");
    rt::Property<double>::add(counterClass, "brightness");
    auto first = rt::make<Counter>();
    auto second = rt::make<Counter>();
    rt::send<void>(first, rt::sel("setVolume:"), 0.2);
    rt::send<void>(second, rt::sel("setBrightness:"), 0.9);
    EXPECT_DOUBLE_EQ(rt::send<double>(first, rt::sel("volume")), 0.2);
    EXPECT_DOUBLE_EQ(rt::send<double>(first, rt::sel("brightness")), 0.0);
    EXPECT_DOUBLE_EQ(rt::send<double>(second, rt::sel("volume")), 0.0);
    EXPECT_DOUBLE_EQ(rt::send<double>(second, rt::sel("brightness")), 0.9);
}

TEST_F(PropertyTest, AddingOverAnExistingAccessorAnswersFalse) {
    ASSERT_TRUE(rt::Property<double>::add(counterClass, "level"));
    EXPECT_FALSE(rt::Property<double>::add(counterClass, "level"));
    EXPECT_THROW(rt::send<void>(rt::make<Counter>(), rt::sel("setLevel:"), 1),
                 rt::SignatureMismatch);
}

TEST_F(PropertyTest, NumbersConvertLikeTheDevice) {
    auto real = rt::make<rt::Number>(2.75);
    auto integer = rt::make<rt::Number>(std::int64_t{-4});
    auto flag = rt::make<rt::Number>(true);
    EXPECT_EQ(real->longLongValue(), 2);
    EXPECT_TRUE(real->boolValue());
    EXPECT_DOUBLE_EQ(integer->doubleValue(), -4.0);
    EXPECT_EQ(flag->longLongValue(), 1);
    EXPECT_EQ(rt::make<rt::Number>(1e300)->longLongValue(), INT64_MAX);  // saturates, no UB
    EXPECT_EQ(rt::send<int>(integer, rt::sel("intValue")), -4);
    EXPECT_DOUBLE_EQ(
        rt::send<double>(rt::makeOfClass(rt::lookUpClass("NSNumber")), rt::sel("doubleValue")),
        0.0);
}

}  // namespace
