#pragma once

#include <string>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/BarButtonItem.h"
#include "ui/View.h"

namespace ui {

// What a view controller shows in the navigation bar while it is in front
// ("UINavigationItem"): a title, a view shown in place of the title, and a right button.
class NavigationItem : public rt::Object {
  public:
    static constexpr const char* kClassName = "UINavigationItem";

    const std::string& title() const { return _title; }
    void setTitle(std::string title) { _title = std::move(title); }
    const rt::Ref<View>& titleView() const { return _titleView; }
    void setTitleView(rt::Ref<View> view) { _titleView = std::move(view); }
    const rt::Ref<BarButtonItem>& rightBarButtonItem() const { return _rightBarButtonItem; }
    void setRightBarButtonItem(rt::Ref<BarButtonItem> item) {
        _rightBarButtonItem = std::move(item);
    }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    std::string _title;
    rt::Ref<View> _titleView;
    rt::Ref<BarButtonItem> _rightBarButtonItem;
};

}  // namespace ui
