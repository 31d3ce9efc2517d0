#include "ui/ScrollView.h"

#include <algorithm>
#include <cmath>

#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace ui {

ScrollView::ScrollView() = default;

ScrollView::ScrollView(const Rect& frame) : View(frame) {}

void ScrollView::setContentOffset(const Point& offset) {
    Rect moved = bounds();
    moved.origin = offset;
    setBounds(moved);
    const auto listener = delegate();
    const rt::Selector didScroll = rt::sel("scrollViewDidScroll:");
    if (listener && rt::respondsToSelector(listener, didScroll))
        rt::send<void>(listener, didScroll, this);
}

double ScrollView::minimumRestingOffsetY() const {
    return -_contentInset.top;
}

double ScrollView::maximumRestingOffsetY() const {
    return std::max(minimumRestingOffsetY(),
                    _contentSize.height + _contentInset.bottom - bounds().height());
}

void ScrollView::dragContentTo(double y) {
    if (!std::isfinite(y)) return;
    const double stretch = bounds().height() / 2;
    setContentOffset(Point{contentOffset().x, std::clamp(y, minimumRestingOffsetY() - stretch,
                                                         maximumRestingOffsetY() + stretch)});
}

void ScrollView::endDragging() {
    const double y = contentOffset().y;
    const double resting = std::clamp(y, minimumRestingOffsetY(), maximumRestingOffsetY());
    if (resting != y) setContentOffset(Point{contentOffset().x, resting});
}

void ScrollView::setContentOffset(const Point& offset, bool) {
    setContentOffset(offset);
}

void ScrollView::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&ScrollView::contentOffset>("contentOffset"),
                            rt::bind<static_cast<void (ScrollView::*)(const Point&)>(
                                &ScrollView::setContentOffset)>("setContentOffset:"),
                        });
}

}  // namespace ui
