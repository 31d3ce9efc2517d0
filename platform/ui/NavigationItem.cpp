#include "ui/NavigationItem.h"

#include "rt/MethodBinding.h"

namespace ui {

void NavigationItem::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls,
                   {
                       rt::bind<&NavigationItem::title>("title"),
                       rt::bind<&NavigationItem::setTitle>("setTitle:"),
                       rt::bind<&NavigationItem::titleView>("titleView"),
                       rt::bind<&NavigationItem::setTitleView>("setTitleView:"),
                       rt::bind<&NavigationItem::rightBarButtonItem>("rightBarButtonItem"),
                       rt::bind<&NavigationItem::setRightBarButtonItem>("setRightBarButtonItem:"),
                   });
}

}  // namespace ui
