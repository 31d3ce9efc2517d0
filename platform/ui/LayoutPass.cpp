#include "ui/LayoutPass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/dispatch/Queue.h"
#include "rt/NoDestroy.h"
#include "rt/Runtime.h"
#include "ui/View.h"

namespace ui {

namespace {

// The pending list is rid of views already gone whenever it has reached this many entries, then
// twice as many as were left: a turn that does not end (a tool or a benchmark driving views
// without running the main queue) keeps no entry for every view it ever marked.
constexpr std::size_t kFirstSweep = 256;

struct PendingLayout {
    std::vector<rt::Weak<View>> views;
    // The world in which the pending pass was queued: a new world (whose clock dropped every
    // queued task) starts with no pass pending.
    std::uint64_t scheduledInWorld = 0;
    // Counts the passes: a view listed for the pending one carries its number, so that it is
    // listed once however often it is marked (a number in the view itself cannot be taken
    // over by another view).
    std::uint64_t pass = 1;
    std::size_t sweepAt = kFirstSweep;
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
        ++layout.pass;
        layout.sweepAt = kFirstSweep;
        layout.scheduledInWorld = world;
        core::async(core::Queue::Main, &LayoutPass::run);
    }
    if (view->_listedForLayoutPass == layout.pass) return;  // already listed
    view->_listedForLayoutPass = layout.pass;
    if (layout.views.size() >= layout.sweepAt) {
        std::erase_if(layout.views, [](const rt::Weak<View>& listed) { return listed.expired(); });
        layout.sweepAt = std::max(kFirstSweep, 2 * layout.views.size());
    }
    layout.views.emplace_back(view);
}

void LayoutPass::run() {
    PendingLayout& layout = pending();
    std::vector<rt::Weak<View>> views;
    views.swap(layout.views);
    ++layout.pass;
    layout.sweepAt = kFirstSweep;
    layout.scheduledInWorld = 0;
    // Each tree is walked once, from its root, however many of its views were marked; a view
    // marked again before the pass is listed once.
    std::vector<rt::Ref<View>> roots;
    for (const rt::Weak<View>& marked : views) {
        rt::Ref<View> view = marked.lock();
        if (!view) continue;
        rt::Ref<View> root = view->rootView();
        if (std::find(roots.begin(), roots.end(), root) == roots.end())
            roots.push_back(std::move(root));
    }
    for (const rt::Ref<View>& root : roots) root->layoutIfNeeded();
}

}  // namespace ui
