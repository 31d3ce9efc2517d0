#pragma once

#include "rt/Weak.h"
#include "ui/Point.h"
#include "ui/Size.h"
#include "ui/View.h"

namespace ui {

// "UIScrollViewKeyboardDismissMode" values.
enum class KeyboardDismissMode : long { None = 0, OnDrag = 1, Interactive = 2 };

// "UIEdgeInsets".
struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;
};

// A view whose content moves under its bounds ("UIScrollView"). The content offset is the
// bounds' origin; every change of it sends "scrollViewDidScroll:" to the delegate (held
// weakly) when the delegate responds to it. The content rests between the top inset (offset
// -inset.top, under the bars above it) and its end; a finger may pull it past either end by at
// most half the view's height, and it settles back within them when the finger lifts.
class ScrollView : public View {
  public:
    static constexpr const char* kClassName = "UIScrollView";

    ScrollView();
    explicit ScrollView(const Rect& frame);

    Point contentOffset() const { return bounds().origin; }
    void setContentOffset(const Point& offset);
    void setContentOffset(const Point& offset, bool animated);  // "setContentOffset:animated:"
    const EdgeInsets& contentInset() const { return _contentInset; }
    void setContentInset(const EdgeInsets& inset) { _contentInset = inset; }
    // The offsets the content rests between: -inset.top, and the content's end (never less).
    double minimumRestingOffsetY() const;
    double maximumRestingOffsetY() const;
    // A finger holding the content at vertical offset `y`, pulled at most half the view's
    // height past either resting end (the rubber band).
    void dragContentTo(double y);
    // The finger lifts: the content settles at the nearest resting offset.
    void endDragging();
    const Size& contentSize() const { return _contentSize; }
    void setContentSize(const Size& size) { _contentSize = size; }
    rt::Ref<rt::Object> delegate() const { return _delegate.lock(); }
    void setDelegate(rt::Object* delegate) { _delegate = rt::Weak<rt::Object>(delegate); }
    KeyboardDismissMode keyboardDismissMode() const { return _keyboardDismissMode; }
    void setKeyboardDismissMode(KeyboardDismissMode mode) { _keyboardDismissMode = mode; }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    Size _contentSize;
    EdgeInsets _contentInset;
    rt::Weak<rt::Object> _delegate;
    KeyboardDismissMode _keyboardDismissMode = KeyboardDismissMode::None;
};

}  // namespace ui
