#include <algorithm>
#include <utility>

#include "core/dispatch/Clock.h"
#include "core/dispatch/Queue.h"
#include "ui/AnimationLog.h"
#include "ui/AnimationRecord.h"
#include "ui/View.h"

// The view's animations: each block runs with its record open on the animation log, so the
// changes it makes are noted there; the completion runs after the delay and the duration.
namespace ui {

namespace {

// Runs an animation block with the record open so that the changes are noted on it, then
// schedules the completion after the delay and the duration.
void runAnimation(AnimationRecord record, const View::AnimationBlock& animations,
                  View::CompletionBlock completion) {
    record.startTime = core::Clock::now();
    record.hasCompletion = static_cast<bool>(completion);
    const double total = std::max(0.0, record.delay) + std::max(0.0, record.duration);
    AnimationLog::shared().begin(std::move(record));
    try {
        if (animations) animations();
    } catch (...) {
        AnimationLog::shared().end();
        throw;
    }
    AnimationLog::shared().end();
    if (completion)
        core::after(total, core::Queue::Main,
                    [completion = std::move(completion)] { completion(true); });
}

}  // namespace

void View::animate(double duration, const AnimationBlock& animations, CompletionBlock completion) {
    animate(duration, 0, 0, animations, std::move(completion));
}

void View::animate(double duration, double delay, unsigned long options,
                   const AnimationBlock& animations, CompletionBlock completion) {
    AnimationRecord record;
    record.duration = duration;
    record.delay = delay;
    record.options = options;
    runAnimation(std::move(record), animations, std::move(completion));
}

void View::animateWithSpring(double duration, double delay, double damping, double velocity,
                             unsigned long options, const AnimationBlock& animations,
                             CompletionBlock completion) {
    AnimationRecord record;
    record.kind = AnimationRecord::Kind::Spring;
    record.duration = duration;
    record.delay = delay;
    record.springDamping = damping;
    record.springVelocity = velocity;
    record.options = options;
    runAnimation(std::move(record), animations, std::move(completion));
}

void View::transition(View* view, double duration, unsigned long options,
                      const AnimationBlock& animations, CompletionBlock completion) {
    AnimationRecord record;
    record.kind = AnimationRecord::Kind::Transition;
    record.duration = duration;
    record.options = options;
    record.transitionView = rt::Weak<View>(view);
    runAnimation(std::move(record), animations, std::move(completion));
}

void View::performWithoutAnimation(const AnimationBlock& actions) {
    if (actions) actions();
}

void View::noteAnimatableChange(const char* property) {
    AnimationLog::shared().noteChange(this, property);
}

}  // namespace ui
