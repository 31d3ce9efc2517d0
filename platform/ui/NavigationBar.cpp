#include "ui/NavigationBar.h"

#include <algorithm>

#include "rt/MethodBinding.h"

namespace ui {

NavigationBar::NavigationBar() : View(Rect(0, 20, 320, kHeight)) {}

void NavigationBar::showItem(rt::Ref<NavigationItem> item, std::string backTitle) {
    if (_topItem && _topItem->titleView()) _topItem->titleView()->removeFromSuperview();
    _topItem = std::move(item);
    _backTitle = std::move(backTitle);
    if (!_topItem || !_topItem->titleView()) return;
    View* titleView = _topItem->titleView().get();
    addSubview(titleView);
    // The title takes the middle of the bar, leaving room for a button on each side.
    const double width = std::max(0.0, bounds().width() - 2 * kButtonRoom);
    titleView->setFrame(Rect((bounds().width() - width) / 2, 0, width, kHeight));
    titleView->layoutIfNeeded();
}

void NavigationBar::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&NavigationBar::barTintColor>("barTintColor"),
                            rt::bind<&NavigationBar::setBarTintColor>("setBarTintColor:"),
                            rt::bind<&NavigationBar::shadowImage>("shadowImage"),
                            rt::bind<&NavigationBar::setShadowImage>("setShadowImage:"),
                        });
}

}  // namespace ui
