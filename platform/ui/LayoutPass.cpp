#include "ui/LayoutPass.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "core/dispatch/Queue.h"
#include "rt/NoDestroy.h"
#include "rt/Runtime.h"
#include "rt/WeakControl.h"
#include "ui/View.h"

namespace ui {

namespace {

struct PendingLayout {
    std::vector<rt::Weak<View>> views;
    // The world in which the pending pass was queued: a new world (whose clock dropped every
    // queued task) starts with no pass pending.
    std::uint64_t scheduledInWorld = 0;
    // The views already noted, by their weak-reference blocks: each stays alive, and unique
    // to its view, while the list above holds a weak reference through it.
    std::unordered_set<const rt::WeakControl*> noted;
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
        layout.noted.clear();
        layout.scheduledInWorld = world;
        core::async(core::Queue::Main, &LayoutPass::run);
    }
    if (!layout.noted.insert(&view->weakControl()).second) return;  // already noted
    layout.views.emplace_back(view);
}

void LayoutPass::run() {
    PendingLayout& layout = pending();
    std::vector<rt::Weak<View>> views;
    views.swap(layout.views);
    layout.noted.clear();
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
