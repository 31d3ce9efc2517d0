#include <gtest/gtest.h>

#include <vector>

#include "ToolkitFixture.h"
#include "core/dispatch/Clock.h"
#include "rt/Make.h"
#include "ui/AnimationLog.h"
#include "ui/AnimationOptions.h"
#include "ui/Label.h"
#include "ui/View.h"

using core::Clock;
using ui::AnimationLog;
using ui::AnimationRecord;
using ui::View;

namespace {

using AnimationTest = ToolkitTest;

TEST_F(AnimationTest, ValuesChangeAtOnceAndTheCompletionRunsAfterTheDuration) {
    auto view = rt::make<View>();
    std::vector<bool> completions;
    View::animate(
        0.2, [&] { view->setAlpha(0); }, [&](bool finished) { completions.push_back(finished); });

    EXPECT_DOUBLE_EQ(view->alpha(), 0.0);
    const AnimationRecord record = AnimationLog::shared().last();
    EXPECT_EQ(record.kind, AnimationRecord::Kind::Basic);
    EXPECT_DOUBLE_EQ(record.duration, 0.2);
    EXPECT_TRUE(record.changed(view.get(), "alpha"));
    EXPECT_FALSE(record.changed(view.get(), "frame"));

    Clock::advance(0.1999);
    EXPECT_TRUE(completions.empty());
    Clock::advance(0.0001);
    EXPECT_EQ(completions, std::vector<bool>{true});
}

TEST_F(AnimationTest, TheCompletionWaitsForTheDelayToo) {
    bool done = false;
    View::animate(
        0.3, 0.5, ui::AnimationOptions::kCurveLinear, [] {}, [&](bool) { done = true; });
    Clock::advance(0.79);
    EXPECT_FALSE(done);
    Clock::advance(0.01);
    EXPECT_TRUE(done);
    EXPECT_DOUBLE_EQ(AnimationLog::shared().last().delay, 0.5);
    EXPECT_EQ(AnimationLog::shared().last().options, ui::AnimationOptions::kCurveLinear);
}

TEST_F(AnimationTest, SpringsAndTransitionsAreRecordedWithTheirParameters) {
    auto view = rt::make<View>();
    view->setTransform(ui::AffineTransform::makeScale(0.9, 0.9));
    View::animateWithSpring(0.2, 0, 0.3, 7.0, ui::AnimationOptions::kAllowUserInteraction,
                            [&] { view->setTransform(ui::AffineTransform::identity()); });
    auto label = rt::make<ui::Label>();
    View::transition(label.get(), 0.15, ui::AnimationOptions::kTransitionCrossDissolve,
                     [&] { label->setText("On"); });

    const auto records = AnimationLog::shared().records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kind, AnimationRecord::Kind::Spring);
    EXPECT_DOUBLE_EQ(records[0].springDamping, 0.3);
    EXPECT_DOUBLE_EQ(records[0].springVelocity, 7.0);
    EXPECT_EQ(records[0].options, 2u);
    EXPECT_TRUE(records[0].changed(view.get(), "transform"));
    EXPECT_TRUE(view->transform().isIdentity());
    EXPECT_FALSE(records[0].hasCompletion);

    EXPECT_EQ(records[1].kind, AnimationRecord::Kind::Transition);
    EXPECT_EQ(records[1].options, 5242880u);
    EXPECT_EQ(records[1].transitionView.lock(), label);
    EXPECT_TRUE(records[1].changed(label.get(), "text"));
    EXPECT_EQ(label->text(), "On");
}

TEST_F(AnimationTest, ChangesOutsideAnAnimationAreNotRecorded) {
    auto view = rt::make<View>();
    view->setAlpha(0.5);
    EXPECT_EQ(AnimationLog::shared().count(), 0u);
    View::animate(0.1, [&] { View::animate(0.4, [&] { view->setAlpha(1); }); });
    const auto records = AnimationLog::shared().records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_FALSE(records[0].changed(view.get(), "alpha"));  // noted on the inner animation
    EXPECT_TRUE(records[1].changed(view.get(), "alpha"));
}

TEST_F(AnimationTest, TheCompletionKeepsWhatItCapturedAliveAndRunsOnTheMainQueueOnly) {
    rt::Weak<View> weak;
    bool ran = false;
    {
        auto view = rt::make<View>();
        weak = view;
        View::animate(
            0.2, [&] { view->setAlpha(0); }, [view, &ran](bool) { ran = view->alpha() == 0; });
    }
    EXPECT_FALSE(weak.expired());
    Clock::advance(0.2);
    EXPECT_TRUE(ran);
    Clock::advance(0.1);  // the completion and what it held are gone once it ran
    EXPECT_TRUE(weak.expired());
}

}  // namespace

namespace {

using AnimationLogBoundTest = ToolkitTest;

TEST_F(AnimationLogBoundTest, KeepsOnlyTheLatestRecordsWhateverRunsLong) {
    auto view = rt::make<View>();
    const std::size_t animations = 3 * AnimationLog::kCapacity + 7;
    for (std::size_t index = 0; index < animations; ++index)
        View::animate(0.001 * static_cast<double>(index + 1), [&] { view->setAlpha(0.5); });
    EXPECT_EQ(AnimationLog::shared().count(), AnimationLog::kCapacity);
    const auto records = AnimationLog::shared().records();
    ASSERT_EQ(records.size(), AnimationLog::kCapacity);
    EXPECT_DOUBLE_EQ(records.front().duration,
                     0.001 * static_cast<double>(animations - AnimationLog::kCapacity + 1));
    EXPECT_DOUBLE_EQ(records.back().duration, 0.001 * static_cast<double>(animations));

    // Once full, changes still land on the record of the animation that made them, nested
    // ones included.
    auto other = rt::make<View>();
    View::animate(0.25, [&] {
        other->setAlpha(0.1);
        View::animate(0.5, [&] { view->setAlpha(1); });
    });
    const auto latest = AnimationLog::shared().records();
    const AnimationRecord& outer = latest[latest.size() - 2];
    EXPECT_DOUBLE_EQ(outer.duration, 0.25);
    EXPECT_TRUE(outer.changed(other.get(), "alpha"));
    EXPECT_FALSE(outer.changed(view.get(), "alpha"));
    EXPECT_TRUE(latest.back().changed(view.get(), "alpha"));
}

}  // namespace
