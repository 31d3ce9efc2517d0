#pragma once

#include "rt/Weak.h"
#include "ui/Point.h"
#include "ui/Size.h"
#include "ui/View.h"

namespace ui {

// "UIScrollViewKeyboardDismissMode" values.
enum class KeyboardDismissMode : long { None = 0, OnDrag = 1, Interactive = 2 };

// A view whose content moves under its bounds ("UIScrollView"). The content offset is the
// bounds' origin; every change of it sends "scrollViewDidScroll:" to the delegate (held
// weakly) when the delegate responds to it.
class ScrollView : public View {
  public:
    static constexpr const char* kClassName = "UIScrollView";

    ScrollView();
    explicit ScrollView(const Rect& frame);

    Point contentOffset() const { return bounds().origin; }
    void setContentOffset(const Point& offset);
    void setContentOffset(const Point& offset, bool animated);  // "setContentOffset:animated:"
    const Size& contentSize() const { return _contentSize; }
    void setContentSize(const Size& size) { _contentSize = size; }
    rt::Ref<rt::Object> delegate() const { return _delegate.lock(); }
    void setDelegate(rt::Object* delegate) { _delegate = rt::Weak<rt::Object>(delegate); }
    KeyboardDismissMode keyboardDismissMode() const { return _keyboardDismissMode; }
    void setKeyboardDismissMode(KeyboardDismissMode mode) { _keyboardDismissMode = mode; }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    Size _contentSize;
    rt::Weak<rt::Object> _delegate;
    KeyboardDismissMode _keyboardDismissMode = KeyboardDismissMode::None;
};

}  // namespace ui
