#include "ui/Control.h"

#include <algorithm>

#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/Event.h"
#include "ui/Touch.h"
#include "ui/TouchSet.h"

namespace ui {

namespace {

std::size_t argumentCount(rt::Selector selector) {
    const std::string& name = selector.name();
    return static_cast<std::size_t>(std::count(name.begin(), name.end(), ':'));
}

}  // namespace

void Control::addTarget(rt::Object* target, rt::Selector action, unsigned long events) {
    if (action.isNull() || events == 0) return;
    prune();
    for (TargetAction& existing : _targetActions) {
        if (existing.action == action && existing.target.lock().get() == target) {
            existing.events |= events;
            return;
        }
    }
    _targetActions.push_back({rt::Weak<rt::Object>(target), target != nullptr, action, events});
}

void Control::removeTarget(rt::Object* target, rt::Selector action, unsigned long events) {
    for (TargetAction& existing : _targetActions) {
        const bool targetMatches = !target || existing.target.lock().get() == target;
        const bool actionMatches = action.isNull() || existing.action == action;
        if (targetMatches && actionMatches) existing.events &= ~events;
    }
    std::erase_if(_targetActions, [](const TargetAction& entry) { return entry.events == 0; });
}

std::vector<rt::Ref<rt::Object>> Control::allTargets() {
    prune();
    std::vector<rt::Ref<rt::Object>> targets;
    for (const TargetAction& entry : _targetActions) {
        rt::Ref<rt::Object> target = entry.target.lock();
        if (target && std::find(targets.begin(), targets.end(), target) == targets.end())
            targets.push_back(target);
    }
    return targets;
}

std::vector<rt::Selector> Control::actionsForTarget(rt::Object* target, unsigned long event) {
    prune();
    std::vector<rt::Selector> actions;
    for (const TargetAction& entry : _targetActions) {
        if (entry.target.lock().get() == target && (entry.events & event))
            actions.push_back(entry.action);
    }
    return actions;
}

unsigned long Control::allControlEvents() {
    prune();
    unsigned long events = 0;
    for (const TargetAction& entry : _targetActions) events |= entry.events;
    return events;
}

void Control::prune() {
    std::erase_if(_targetActions, [](const TargetAction& entry) {
        return entry.hasTarget && entry.target.expired();
    });
}

void Control::sendActionsForControlEvents(unsigned long events, rt::Object* event) {
    rt::Ref<Control> keep = rt::retained(this);
    const std::vector<TargetAction> snapshot = _targetActions;  // actions may add or remove targets
    for (const TargetAction& entry : snapshot) {
        if (!(entry.events & events)) continue;
        rt::Ref<rt::Object> target = entry.target.lock();
        if (entry.hasTarget && !target) continue;
        rt::send<void>(this, rt::sel("sendAction:to:forEvent:"), entry.action, target.get(), event);
    }
    prune();
}

// No responder chain to search on the simulated phone: an action without a target is dropped.
void Control::sendAction(rt::Selector action, rt::Object* target, rt::Object* event) {
    if (!target) return;
    switch (argumentCount(action)) {
        case 0:
            rt::send<void>(target, action);
            break;
        case 1:
            rt::send<void>(target, action, this);
            break;
        default:
            rt::send<void>(target, action, this, event);
            break;
    }
}

void Control::setEnabled(bool enabled) {
    _enabled = enabled;
    if (!enabled) _tracking = false;
    stateDidChange();
}

void Control::setSelected(bool selected) {
    _selected = selected;
    stateDidChange();
}

void Control::highlight(bool highlighted) {
    rt::send<void>(this, rt::sel("setHighlighted:"), highlighted);
}

void Control::setHighlighted(bool highlighted) {
    _highlighted = highlighted;
    stateDidChange();
}

unsigned long Control::state() const {
    unsigned long bits = ControlState::kNormal;
    if (_highlighted) bits |= ControlState::kHighlighted;
    if (!_enabled) bits |= ControlState::kDisabled;
    if (_selected) bits |= ControlState::kSelected;
    return bits;
}

bool Control::isNearControl(const Touch& touch) const {
    return bounds()
        .insetBy(-kTrackingMargin, -kTrackingMargin)
        .contains(touch.locationInView(this));
}

Touch* Control::touchIn(rt::Object* touches) {
    auto* set = rt::cast<TouchSet>(touches);
    return set ? set->anyObject().get() : nullptr;
}

void Control::touchesBegan(rt::Object* touches, rt::Object* event) {
    if (!_enabled || !touchIn(touches)) return;
    _tracking = true;
    _touchInside = true;
    highlight(true);
    sendActionsForControlEvents(ControlEvents::kTouchDown, event);
}

void Control::touchesMoved(rt::Object* touches, rt::Object* event) {
    const Touch* touch = touchIn(touches);
    if (!_tracking || !touch) return;
    const bool wasInside = _touchInside;
    _touchInside = isNearControl(*touch);
    if (_touchInside != _highlighted) highlight(_touchInside);
    unsigned long events =
        _touchInside ? ControlEvents::kTouchDragInside : ControlEvents::kTouchDragOutside;
    if (wasInside != _touchInside)
        events |= _touchInside ? ControlEvents::kTouchDragEnter : ControlEvents::kTouchDragExit;
    sendActionsForControlEvents(events, event);
}

void Control::touchesEnded(rt::Object* touches, rt::Object* event) {
    const Touch* touch = touchIn(touches);
    if (!_tracking || !touch) return;
    _tracking = false;
    _touchInside = isNearControl(*touch);
    highlight(false);
    sendActionsForControlEvents(
        _touchInside ? ControlEvents::kTouchUpInside : ControlEvents::kTouchUpOutside, event);
}

void Control::touchesCancelled(rt::Object* touches, rt::Object* event) {
    if (!_tracking || !touchIn(touches)) return;
    _tracking = false;
    highlight(false);
    sendActionsForControlEvents(ControlEvents::kTouchCancel, event);
}

void Control::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&Control::setHighlighted>("setHighlighted:"),
                            rt::bind<&Control::sendAction>("sendAction:to:forEvent:"),
                            rt::bind<&Control::touchesBegan>("touchesBegan:withEvent:"),
                            rt::bind<&Control::touchesMoved>("touchesMoved:withEvent:"),
                            rt::bind<&Control::touchesEnded>("touchesEnded:withEvent:"),
                            rt::bind<&Control::touchesCancelled>("touchesCancelled:withEvent:"),
                        });
}

}  // namespace ui
