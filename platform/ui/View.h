#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Weak.h"
#include "ui/AffineTransform.h"
#include "ui/Color.h"
#include "ui/ContentMode.h"
#include "ui/Layer.h"
#include "ui/LayoutAnchor.h"
#include "ui/LayoutConstraint.h"
#include "ui/Rect.h"

namespace ui {

class Event;
class TouchSet;
class ViewController;

// A rectangle of the screen and the root of the toolkit's views ("UIView").
//
// The view keeps every visual fact (geometry, alpha, hidden flag, colours, transform, layer)
// for a renderer; nothing is drawn. Operations that a subclass may override, or that the
// system sends by selector, go through the runtime: layoutSubviews, pointInside:withEvent:,
// hitTest:withEvent:, the touch messages, tintColorDidChange, didAddSubview: and
// willRemoveSubview:. The C++ calls below send those messages; the toolkit's own behaviour
// is registered as the classes' runtime methods by registerRuntimeMethods.
class View : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIView";

    using AnimationBlock = std::function<void()>;
    using CompletionBlock = std::function<void(bool finished)>;

    View();
    explicit View(const Rect& frame);  // "initWithFrame:"
    ~View() override;

    // Geometry. The frame is the bounding box of the bounds, transformed about the centre,
    // in the superview's coordinates.
    Rect frame() const;
    void setFrame(const Rect& frame);
    const Rect& bounds() const { return _bounds; }
    void setBounds(const Rect& bounds);
    const Point& center() const { return _center; }
    void setCenter(const Point& center);
    const AffineTransform& transform() const { return _transform; }
    void setTransform(const AffineTransform& transform);

    // Appearance.
    double alpha() const { return _alpha; }
    void setAlpha(double alpha);
    bool isHidden() const { return _hidden; }
    void setHidden(bool hidden);
    const rt::Ref<Color>& backgroundColor() const { return _backgroundColor; }
    void setBackgroundColor(rt::Ref<Color> color);
    // The view's own tint, else its superview's, else the system blue.
    rt::Ref<Color> tintColor() const;
    // Null goes back to inheriting. Views that inherit the tint hear tintColorDidChange.
    void setTintColor(rt::Ref<Color> color);
    bool hasOwnTintColor() const { return static_cast<bool>(_tintColor); }
    bool clipsToBounds() const { return _layer->masksToBounds(); }
    void setClipsToBounds(bool clips) { _layer->setMasksToBounds(clips); }
    ContentMode contentMode() const { return _contentMode; }
    void setContentMode(ContentMode mode) { _contentMode = mode; }
    Layer* layer() const { return _layer.get(); }
    long tag() const { return _tag; }
    void setTag(long tag) { _tag = tag; }
    bool isUserInteractionEnabled() const { return _userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { _userInteractionEnabled = enabled; }

    // Hierarchy. Subviews are owned; the superview is held weakly.
    rt::Ref<View> superview() const { return _superview.lock(); }
    const std::vector<rt::Ref<View>>& subviews() const { return _subviews; }
    // Adds on top; a view already elsewhere moves here, one already here moves to the top.
    void addSubview(View* view);
    void insertSubview(View* view, std::size_t index);
    void removeFromSuperview();
    void bringSubviewToFront(View* view);
    bool isDescendantOf(const View* view) const;
    // The topmost ancestor (the view itself when it has no superview).
    rt::Ref<View> rootView();

    // Layout. A view marked as needing layout is laid out at the end of the current turn of
    // the main run loop (LayoutPass), or at once by layoutIfNeeded.
    void setNeedsLayout();
    bool needsLayout() const { return _needsLayout; }
    // Lays out this view when it needs it, then its subviews, top down. A view that is its
    // controller's view tells the controller (viewWillLayoutSubviews, viewDidLayoutSubviews).
    void layoutIfNeeded();
    // "layoutSubviews", sent by layoutIfNeeded: solves the constraints that place the
    // subviews. A subclass binds its own and calls this one as its superclass's.
    void layoutSubviews();
    bool translatesAutoresizingMaskIntoConstraints() const { return _translatesAutoresizingMask; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
        _translatesAutoresizingMask = translates;
    }

    // Constraints installed on this view ("addConstraint:" activates them).
    void addConstraint(LayoutConstraint* constraint);
    void addConstraints(const std::vector<rt::Ref<LayoutConstraint>>& constraints);
    void removeConstraint(LayoutConstraint* constraint);
    const std::vector<rt::Ref<LayoutConstraint>>& constraints() const { return _constraints; }

    rt::Ref<LayoutAnchor> leadingAnchor() { return anchorFor(LayoutAttribute::Leading); }
    rt::Ref<LayoutAnchor> trailingAnchor() { return anchorFor(LayoutAttribute::Trailing); }
    rt::Ref<LayoutAnchor> leftAnchor() { return anchorFor(LayoutAttribute::Left); }
    rt::Ref<LayoutAnchor> rightAnchor() { return anchorFor(LayoutAttribute::Right); }
    rt::Ref<LayoutAnchor> topAnchor() { return anchorFor(LayoutAttribute::Top); }
    rt::Ref<LayoutAnchor> bottomAnchor() { return anchorFor(LayoutAttribute::Bottom); }
    rt::Ref<LayoutAnchor> widthAnchor() { return anchorFor(LayoutAttribute::Width); }
    rt::Ref<LayoutAnchor> heightAnchor() { return anchorFor(LayoutAttribute::Height); }
    rt::Ref<LayoutAnchor> centerXAnchor() { return anchorFor(LayoutAttribute::CenterX); }
    rt::Ref<LayoutAnchor> centerYAnchor() { return anchorFor(LayoutAttribute::CenterY); }

    // Whether leading means right in this view (a right-to-left interface).
    bool isRightToLeft() const;

    // Coordinates.
    Point convertPointToView(const Point& point, const View* view) const;
    Point convertPointFromView(const Point& point, const View* view) const;
    // A point in the superview's coordinates, in this view's.
    Point pointFromSuperview(const Point& point) const;
    Point pointToSuperview(const Point& point) const;

    // The controller whose view this is, or null (held weakly, as the view's delegate).
    rt::Ref<ViewController> viewController() const;
    void setViewController(ViewController* controller);

    // Hit testing and touches, sent through the runtime.
    bool pointInside(const Point& point, Event* event);
    rt::Ref<View> hitTest(const Point& point, Event* event);
    // The touch messages ("touchesBegan:withEvent:" and the like): a view that does not
    // handle a touch passes it to the next responder, its superview, with the same message.
    void touchesBegan(rt::Object* touches, rt::Object* event);
    void touchesMoved(rt::Object* touches, rt::Object* event);
    void touchesEnded(rt::Object* touches, rt::Object* event);
    void touchesCancelled(rt::Object* touches, rt::Object* event);

    // Notices a plain view ignores, sent through the runtime for subclasses to hear.
    void tintColorDidChange() {}
    void didAddSubview(rt::Object*) {}
    void willRemoveSubview(rt::Object*) {}

    // Animations. The changes made in `animations` take effect at once and are recorded in
    // the AnimationLog with the parameters; `completion` runs on the main queue once the
    // delay and duration have passed, with finished true.
    static void animate(double duration, const AnimationBlock& animations,
                        CompletionBlock completion = {});
    static void animate(double duration, double delay, unsigned long options,
                        const AnimationBlock& animations, CompletionBlock completion = {});
    // "animateWithDuration:delay:usingSpringWithDamping:initialSpringVelocity:options:...".
    static void animateWithSpring(double duration, double delay, double damping, double velocity,
                                  unsigned long options, const AnimationBlock& animations,
                                  CompletionBlock completion = {});
    // "transitionWithView:duration:options:animations:completion:".
    static void transition(View* view, double duration, unsigned long options,
                           const AnimationBlock& animations, CompletionBlock completion = {});
    // "performWithoutAnimation:".
    static void performWithoutAnimation(const AnimationBlock& actions);

    static void registerRuntimeMethods(rt::Class* cls);

  protected:
    // Notes a change of an animatable property on the animation being recorded, if any.
    void noteAnimatableChange(const char* property);

  private:
    friend class LayoutPass;

    void notifyInheritedTintChange();
    void markAncestorsForLayout();
    void detachFromSuperview();
    rt::Ref<LayoutAnchor> anchorFor(LayoutAttribute attribute);

    Point _center;
    Rect _bounds;
    AffineTransform _transform;
    double _alpha = 1;
    bool _hidden = false;
    bool _userInteractionEnabled = true;
    bool _needsLayout = true;
    // Some view below this one may need layout: layoutIfNeeded goes down only where this is set.
    // Set on every ancestor of a view marked or added (up to the first already set).
    bool _layoutBelow = false;
    // The layout pass this view was last listed for (LayoutPass's count; 0: none).
    std::uint64_t _listedForLayoutPass = 0;
    bool _translatesAutoresizingMask = true;
    ContentMode _contentMode = ContentMode::ScaleToFill;
    long _tag = 0;
    rt::Ref<Color> _backgroundColor;
    rt::Ref<Color> _tintColor;
    rt::Ref<Layer> _layer;
    rt::Weak<View> _superview;
    rt::Weak<ViewController> _viewController;
    std::vector<rt::Ref<View>> _subviews;
    std::vector<rt::Ref<LayoutConstraint>> _constraints;
};

}  // namespace ui
