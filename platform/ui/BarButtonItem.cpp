#include "ui/BarButtonItem.h"

#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace ui {

BarButtonItem::BarButtonItem(std::string title, BarButtonItemStyle style, rt::Object* target,
                             rt::Selector action)
    : _title(std::move(title)), _style(style), _target(target), _action(action) {}

bool BarButtonItem::tap() {
    const auto receiver = target();
    if (!receiver || _action.name().empty()) return false;
    if (_action.name().back() == ':')
        rt::send<void>(receiver, _action, this);
    else
        rt::send<void>(receiver, _action);
    return true;
}

void BarButtonItem::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&BarButtonItem::title>("title"),
                            rt::bind<&BarButtonItem::setTintColor>("setTintColor:"),
                        });
}

}  // namespace ui
