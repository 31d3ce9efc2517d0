#pragma once

#include <vector>

#include "rt/Selector.h"
#include "rt/Weak.h"
#include "ui/ControlEvents.h"
#include "ui/View.h"

namespace ui {

class Touch;

// A view that turns touches into actions ("UIControl").
//
// Target-action: each registration holds its target weakly, an action selector and an event
// mask. Adding a target and action already registered adds the events to that registration,
// so the action still runs once per event. Actions run in registration order, each sent
// through the runtime by "sendAction:to:forEvent:" with as many arguments as the selector
// has colons (none, the sender, or the sender and the event). A registration whose target
// is gone is skipped and dropped.
//
// Touches: a touch that begins in an enabled control highlights it and sends touch-down;
// moving tracks whether it is still near the control (70 points around it, as on the
// device); lifting sends touch-up-inside or touch-up-outside; a cancelled touch sends
// touch-cancel. A subclass changes these by binding its own runtime methods (calling
// Control's as its superclass's); the toolkit sends "setHighlighted:" and
// "sendAction:to:forEvent:" through the runtime so that overrides take effect.
class Control : public View {
  public:
    static constexpr const char* kClassName = "UIControl";
    static constexpr double kTrackingMargin = 70;

    using View::View;

    struct TargetAction {
        rt::Weak<rt::Object> target;
        bool hasTarget = false;
        rt::Selector action;
        unsigned long events = 0;
    };

    void addTarget(rt::Object* target, rt::Selector action, unsigned long events);
    // Removes the events from matching registrations (a null action matches every action of
    // the target; a null target matches every target); drops those left with no events.
    void removeTarget(rt::Object* target, rt::Selector action, unsigned long events);
    std::vector<rt::Ref<rt::Object>> allTargets();
    std::vector<rt::Selector> actionsForTarget(rt::Object* target, unsigned long event);
    unsigned long allControlEvents();
    std::size_t registrationCount() {
        prune();
        return _targetActions.size();
    }

    // "sendActionsForControlEvents:" (with the event that caused them, when there is one).
    void sendActionsForControlEvents(unsigned long events, rt::Object* event = nullptr);
    // "sendAction:to:forEvent:": sends the action to the target with the arguments its
    // selector takes.
    void sendAction(rt::Selector action, rt::Object* target, rt::Object* event);

    bool isEnabled() const { return _enabled; }
    void setEnabled(bool enabled);
    bool isSelected() const { return _selected; }
    void setSelected(bool selected);
    bool isHighlighted() const { return _highlighted; }
    // "setHighlighted:"
    void setHighlighted(bool highlighted);
    bool isTracking() const { return _tracking; }
    bool isTouchInside() const { return _touchInside; }
    // The state bits: highlighted, disabled, selected.
    unsigned long state() const;

    // "touchesBegan:withEvent:" and the like: tracking of the control's touch.
    void touchesBegan(rt::Object* touches, rt::Object* event);
    void touchesMoved(rt::Object* touches, rt::Object* event);
    void touchesEnded(rt::Object* touches, rt::Object* event);
    void touchesCancelled(rt::Object* touches, rt::Object* event);

    static void registerRuntimeMethods(rt::Class* cls);

  protected:
    // Called when the highlight, enabled or selected state changes.
    virtual void stateDidChange() {}
    bool isNearControl(const Touch& touch) const;
    // The control's touch among an event's touches, or null.
    static Touch* touchIn(rt::Object* touches);
    // Sends "setHighlighted:" through the runtime.
    void highlight(bool highlighted);

  private:
    void prune();

    std::vector<TargetAction> _targetActions;
    bool _enabled = true;
    bool _selected = false;
    bool _highlighted = false;
    bool _tracking = false;
    bool _touchInside = false;
};

}  // namespace ui
