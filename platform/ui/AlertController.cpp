#include "ui/AlertController.h"

#include <algorithm>

namespace ui {

AlertController::AlertController(std::string title, std::string message,
                                 AlertControllerStyle style)
    : _title(std::move(title)), _message(std::move(message)), _style(style) {}

std::string AlertController::text() const {
    if (_title.empty()) return _message;
    if (_message.empty()) return _title;
    return _title + ": " + _message;
}

bool AlertController::tapAction(const std::string& title) {
    const auto action =
        title.empty() ? _actions.begin()
                      : std::find_if(_actions.begin(), _actions.end(),
                                     [&](const AlertAction& each) { return each.title == title; });
    if (action == _actions.end()) return false;
    // The handler may present another alert from the same presenter, so this one goes first;
    // the handler is copied because dismissal may release this alert.
    const std::function<void()> handler = action->handler;
    const rt::Ref<rt::Object> keep = rt::retained<rt::Object>(this);
    if (const auto presenter = presentingViewController()) presenter->dismissViewController();
    if (handler) handler();
    return true;
}

}  // namespace ui
