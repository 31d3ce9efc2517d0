#include "ui/LayoutPass.h"

#include <cstdint>

#include "core/dispatch/Queue.h"
#include "rt/NoDestroy.h"
#include "rt/Runtime.h"
#include "ui/View.h"

namespace ui {

namespace {

struct PendingLayout {
    std::vector<rt::Weak<View>> views;
    // The world in which the pending pass was queued: a new world (whose clock dropped every
    // queued task) starts with no pass pending.
    std::uint64_t scheduledInWorld = 0;
};

PendingLayout& pending() {
    static rt::NoDestroy<PendingLayout> layout;
    return *layout;
}

}  // namespace

void LayoutPass::schedule(View* view) {
    PendingLayout& layout = pending();
    const std::uint64_t world = rt::Runtime::generation();
    if (layout.scheduledInWorld != world) {
        layout.views.clear();
        layout.scheduledInWorld = world;
        core::async(core::Queue::Main, &LayoutPass::run);
    }
    layout.views.emplace_back(view);
}

void LayoutPass::run() {
    PendingLayout& layout = pending();
    std::vector<rt::Weak<View>> views;
    views.swap(layout.views);
    layout.scheduledInWorld = 0;
    for (const rt::Weak<View>& marked : views) {
        if (rt::Ref<View> view = marked.lock()) view->rootView()->layoutIfNeeded();
    }
}

}  // namespace ui
