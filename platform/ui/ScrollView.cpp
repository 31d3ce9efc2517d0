#include "ui/ScrollView.h"

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
