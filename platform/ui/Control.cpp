#include "ui/Control.h"

#include <algorithm>

#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/Event.h"
#include "ui/Touch.h"
#include "ui/TouchSet.h"

namespace ui {

namespace {

Control* asControl(rt::Object* self) {
    return static_cast<Control*>(self);
}

std::size_t argumentCount(rt::Selector selector) {
    const std::string& name = selector.name();
    return static_cast<std::size_t>(std::count(name.begin(), name.end(), ':'));
}

// Sends the action to the target with the arguments its selector takes.
void sendActionToTarget(rt::Object* self, rt::Selector, rt::Selector action, rt::Object* target,
                        rt::Object* event) {
    if (!target) return;  // no responder chain to search on the simulated phone
    switch (argumentCount(action)) {
        case 0:
            rt::send<void>(target, action);
            break;
        case 1:
            rt::send<void>(target, action, self);
            break;
        default:
            rt::send<void>(target, action, self, event);
            break;
    }
}

// The touch of this control among the event's touches.
Touch* touchOf(rt::Object* touches) {
    auto* set = rt::cast<TouchSet>(touches);
    return set ? set->anyObject().get() : nullptr;
}

void beginTracking(rt::Object* self, rt::Selector, rt::Object* touches, rt::Object* event) {
    if (Touch* touch = touchOf(touches)) asControl(self)->beginTrackingTouch(*touch, event);
}
void continueTracking(rt::Object* self, rt::Selector, rt::Object* touches, rt::Object* event) {
    if (Touch* touch = touchOf(touches)) asControl(self)->continueTrackingTouch(*touch, event);
}
void endTracking(rt::Object* self, rt::Selector, rt::Object* touches, rt::Object* event) {
    if (Touch* touch = touchOf(touches)) asControl(self)->endTrackingTouch(*touch, event);
}
void cancelTracking(rt::Object* self, rt::Selector, rt::Object* touches, rt::Object* event) {
    if (Touch* touch = touchOf(touches)) asControl(self)->cancelTrackingTouch(*touch, event);
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
        sendAction(entry.action, target.get(), event);
    }
    prune();
}

void Control::sendAction(rt::Selector action, rt::Object* target, rt::Object* event) {
    rt::send<void>(this, rt::sel("sendAction:to:forEvent:"), action, target, event);
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

void Control::setHighlighted(bool highlighted) {
    rt::send<void>(this, rt::sel("setHighlighted:"), highlighted);
}

void Control::storeHighlighted(bool highlighted) {
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

void Control::beginTrackingTouch(Touch&, rt::Object* event) {
    if (!_enabled) return;
    _tracking = true;
    _touchInside = true;
    setHighlighted(true);
    sendActionsForControlEvents(ControlEvents::kTouchDown, event);
}

void Control::continueTrackingTouch(Touch& touch, rt::Object* event) {
    if (!_tracking) return;
    const bool wasInside = _touchInside;
    _touchInside = isNearControl(touch);
    if (_touchInside != _highlighted) setHighlighted(_touchInside);
    unsigned long events =
        _touchInside ? ControlEvents::kTouchDragInside : ControlEvents::kTouchDragOutside;
    if (wasInside != _touchInside)
        events |= _touchInside ? ControlEvents::kTouchDragEnter : ControlEvents::kTouchDragExit;
    sendActionsForControlEvents(events, event);
}

void Control::endTrackingTouch(Touch& touch, rt::Object* event) {
    if (!_tracking) return;
    _tracking = false;
    _touchInside = isNearControl(touch);
    setHighlighted(false);
    sendActionsForControlEvents(
        _touchInside ? ControlEvents::kTouchUpInside : ControlEvents::kTouchUpOutside, event);
}

void Control::cancelTrackingTouch(Touch&, rt::Object* event) {
    if (!_tracking) return;
    _tracking = false;
    setHighlighted(false);
    sendActionsForControlEvents(ControlEvents::kTouchCancel, event);
}

void Control::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&Control::storeHighlighted>("setHighlighted:"),
                            rt::bind<&sendActionToTarget>("sendAction:to:forEvent:"),
                            rt::bind<&beginTracking>("touchesBegan:withEvent:"),
                            rt::bind<&continueTracking>("touchesMoved:withEvent:"),
                            rt::bind<&endTracking>("touchesEnded:withEvent:"),
                            rt::bind<&cancelTracking>("touchesCancelled:withEvent:"),
                        });
}

}  // namespace ui
