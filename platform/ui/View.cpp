#include "ui/View.h"

#include <algorithm>
#include <cmath>

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/Application.h"
#include "ui/Event.h"
#include "ui/LayoutPass.h"
#include "ui/LayoutSolver.h"
#include "ui/TouchSet.h"
#include "ui/ViewController.h"

namespace ui {

namespace {

const rt::Selector& layoutSubviewsSelector() {
    static const rt::Selector selector = rt::sel("layoutSubviews");
    return selector;
}

View* asView(rt::Object* self) {
    return static_cast<View*>(self);
}

bool boundsContainPoint(rt::Object* self, rt::Selector, const Point& point, rt::Object*) {
    return asView(self)->bounds().contains(point);
}

// A hidden, transparent or non-interactive view and its subviews take no touches; the
// topmost subview that takes the point wins, else the view itself when the point is inside.
rt::Ref<rt::Object> hitTestSubviews(rt::Object* self, rt::Selector, const Point& point,
                                    rt::Object* event) {
    View* view = asView(self);
    if (view->isHidden() || !view->isUserInteractionEnabled() || view->alpha() < 0.01)
        return nullptr;
    auto* touchEvent = rt::cast<Event>(event);
    if (!view->pointInside(point, touchEvent)) return nullptr;
    const std::vector<rt::Ref<View>> subviews = view->subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        if (rt::Ref<View> hit = (*it)->hitTest((*it)->pointFromSuperview(point), touchEvent))
            return hit;
    }
    return rt::retained<rt::Object>(view);
}

constexpr char kTouchesBegan[] = "touchesBegan:withEvent:";
constexpr char kTouchesMoved[] = "touchesMoved:withEvent:";
constexpr char kTouchesEnded[] = "touchesEnded:withEvent:";
constexpr char kTouchesCancelled[] = "touchesCancelled:withEvent:";

Point applyTransform(const AffineTransform& t, const Point& p) {
    return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

Point applyInverseTransform(const AffineTransform& t, const Point& p) {
    const double determinant = t.a * t.d - t.b * t.c;
    if (std::fabs(determinant) < 1e-12)
        return {0, 0};  // a collapsed view: every point maps to its centre
    const double x = p.x - t.tx;
    const double y = p.y - t.ty;
    return {(t.d * x - t.c * y) / determinant, (-t.b * x + t.a * y) / determinant};
}

}  // namespace

View::View() : View(Rect::zero()) {}

View::View(const Rect& frame) : _layer(rt::make<Layer>()) {
    setFrame(frame);
}

View::~View() = default;

Rect View::frame() const {
    const double halfWidth = _bounds.width() / 2;
    const double halfHeight = _bounds.height() / 2;
    if (_transform.isIdentity())
        return Rect(_center.x - halfWidth, _center.y - halfHeight, _bounds.width(),
                    _bounds.height());
    const Point corners[] = {{-halfWidth, -halfHeight},
                             {halfWidth, -halfHeight},
                             {-halfWidth, halfHeight},
                             {halfWidth, halfHeight}};
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const Point& corner : corners) {
        const Point moved = applyTransform(_transform, corner);
        minX = std::min(minX, moved.x);
        maxX = std::max(maxX, moved.x);
        minY = std::min(minY, moved.y);
        maxY = std::max(maxY, moved.y);
    }
    return Rect(_center.x + minX, _center.y + minY, maxX - minX, maxY - minY);
}

void View::setFrame(const Rect& frame) {
    double width = frame.width();
    double height = frame.height();
    if (!_transform
             .isIdentity()) {  // keep the bounds whose transformed box is the frame (scales only)
        if (std::fabs(_transform.a) > 1e-12) width /= std::fabs(_transform.a);
        if (std::fabs(_transform.d) > 1e-12) height /= std::fabs(_transform.d);
    }
    const bool resized = width != _bounds.width() || height != _bounds.height();
    _center = {frame.midX(), frame.midY()};
    _bounds.size = {width, height};
    if (resized) setNeedsLayout();
    noteAnimatableChange("frame");
}

void View::setBounds(const Rect& bounds) {
    const bool resized = bounds.size != _bounds.size;
    _bounds = bounds;
    if (resized) setNeedsLayout();
    noteAnimatableChange("bounds");
}

void View::setCenter(const Point& center) {
    _center = center;
    noteAnimatableChange("center");
}

void View::setTransform(const AffineTransform& transform) {
    _transform = transform;
    noteAnimatableChange("transform");
}

void View::setAlpha(double alpha) {
    _alpha = std::clamp(alpha, 0.0, 1.0);
    noteAnimatableChange("alpha");
}

void View::setHidden(bool hidden) {
    _hidden = hidden;
}

void View::setBackgroundColor(rt::Ref<Color> color) {
    _backgroundColor = std::move(color);
    noteAnimatableChange("backgroundColor");
}

rt::Ref<Color> View::tintColor() const {
    if (_tintColor) return _tintColor;
    if (rt::Ref<View> parent = superview()) return parent->tintColor();
    return Color::systemBlueColor();
}

void View::setTintColor(rt::Ref<Color> color) {
    static const rt::Selector tintChanged = rt::sel("tintColorDidChange");
    _tintColor = std::move(color);
    rt::send<void>(this, tintChanged);
    for (const rt::Ref<View>& subview : std::vector<rt::Ref<View>>(_subviews))
        subview->notifyInheritedTintChange();
}

void View::notifyInheritedTintChange() {
    static const rt::Selector tintChanged = rt::sel("tintColorDidChange");
    if (_tintColor) return;  // its own tint hides the change from it and its subviews
    rt::send<void>(this, tintChanged);
    for (const rt::Ref<View>& subview : std::vector<rt::Ref<View>>(_subviews))
        subview->notifyInheritedTintChange();
}

void View::addSubview(View* view) {
    insertSubview(view, _subviews.size());
}

void View::insertSubview(View* view, std::size_t index) {
    if (!view || view == this || isDescendantOf(view)) return;  // a view cannot contain itself
    rt::Ref<View> keep = rt::retained(view);
    if (rt::Ref<View> previous = view->superview()) {
        if (previous.get() == this) {
            _subviews.erase(std::find(_subviews.begin(), _subviews.end(), keep));
            _subviews.insert(
                _subviews.begin() + static_cast<long>(std::min(index, _subviews.size())), keep);
            setNeedsLayout();
            return;
        }
        view->removeFromSuperview();
    }
    _subviews.insert(_subviews.begin() + static_cast<long>(std::min(index, _subviews.size())),
                     keep);
    view->_superview = rt::Weak<View>(this);
    _layoutBelow = true;  // the new subview may need layout, or views below it
    setNeedsLayout();
    static const rt::Selector didAdd = rt::sel("didAddSubview:");
    rt::send<void>(this, didAdd, view);
    view->notifyInheritedTintChange();
}

void View::removeFromSuperview() {
    rt::Ref<View> parent = superview();
    if (!parent) return;
    rt::Ref<View> keep = rt::retained(this);  // the superview may hold the last reference
    static const rt::Selector willRemove = rt::sel("willRemoveSubview:");
    rt::send<void>(parent, willRemove, this);
    detachFromSuperview();
    parent->setNeedsLayout();
    notifyInheritedTintChange();
}

void View::detachFromSuperview() {
    rt::Ref<View> parent = superview();
    _superview.reset();
    if (!parent) return;
    auto& siblings = parent->_subviews;
    siblings.erase(
        std::remove_if(siblings.begin(), siblings.end(),
                       [this](const rt::Ref<View>& sibling) { return sibling.get() == this; }),
        siblings.end());
}

void View::bringSubviewToFront(View* view) {
    if (view && view->superview().get() == this) insertSubview(view, _subviews.size());
}

bool View::isDescendantOf(const View* view) const {
    if (!view) return false;
    if (view == this) return true;
    for (rt::Ref<View> parent = superview(); parent; parent = parent->superview()) {
        if (parent.get() == view) return true;
    }
    return false;
}

rt::Ref<View> View::rootView() {
    rt::Ref<View> root = rt::retained(this);
    while (rt::Ref<View> parent = root->superview()) root = parent;
    return root;
}

void View::setNeedsLayout() {
    _needsLayout = true;
    markAncestorsForLayout();
    LayoutPass::schedule(this);
}

void View::markAncestorsForLayout() {
    for (rt::Ref<View> parent = superview(); parent && !parent->_layoutBelow;
         parent = parent->superview())
        parent->_layoutBelow = true;
}

void View::layoutIfNeeded() {
    static const rt::Selector willLayout = rt::sel("viewWillLayoutSubviews");
    static const rt::Selector didLayout = rt::sel("viewDidLayoutSubviews");
    rt::Ref<View> keep = rt::retained(this);
    if (_needsLayout) {
        _needsLayout = false;
        rt::Ref<ViewController> controller = viewController();
        if (controller) rt::send<void>(controller, willLayout);
        rt::send<void>(this, layoutSubviewsSelector());
        if (controller) rt::send<void>(controller, didLayout);
    }
    if (!_layoutBelow) return;
    // Cleared first: a view marked while the subviews are laid out sets it again.
    _layoutBelow = false;
    try {
        for (const rt::Ref<View>& subview : std::vector<rt::Ref<View>>(_subviews))
            subview->layoutIfNeeded();
    } catch (...) {
        _layoutBelow = true;  // the subviews not reached are still to be laid out
        throw;
    }
}

rt::Ref<ViewController> View::viewController() const {
    return _viewController.lock();
}

void View::setViewController(ViewController* controller) {
    _viewController = controller;
}

void View::layoutSubviews() {
    LayoutSolver::layOutSubviews(*this);
}

void View::addConstraint(LayoutConstraint* constraint) {
    if (!constraint) return;
    rt::Ref<LayoutConstraint> keep = rt::retained(constraint);
    if (std::find(_constraints.begin(), _constraints.end(), keep) == _constraints.end()) {
        constraint->noteInstalled(this);
        _constraints.push_back(keep);
    }
    setNeedsLayout();
    if (rt::Ref<View> parent = superview()) parent->setNeedsLayout();
}

void View::addConstraints(const std::vector<rt::Ref<LayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints) addConstraint(constraint.get());
}

void View::removeConstraint(LayoutConstraint* constraint) {
    auto found = std::find_if(
        _constraints.begin(), _constraints.end(),
        [constraint](const rt::Ref<LayoutConstraint>& c) { return c.get() == constraint; });
    if (found == _constraints.end()) return;
    rt::Ref<LayoutConstraint> keep = *found;
    _constraints.erase(found);
    keep->noteUninstalled();
    setNeedsLayout();
}

rt::Ref<LayoutAnchor> View::anchorFor(LayoutAttribute attribute) {
    return rt::make<LayoutAnchor>(this, attribute);
}

bool View::isRightToLeft() const {
    rt::Ref<Application> application = Application::sharedApplication();
    return application && application->userInterfaceLayoutDirection() == Application::kRightToLeft;
}

Point View::pointFromSuperview(const Point& point) const {
    const Point relative =
        applyInverseTransform(_transform, {point.x - _center.x, point.y - _center.y});
    return {relative.x + _bounds.width() / 2 + _bounds.x(),
            relative.y + _bounds.height() / 2 + _bounds.y()};
}

Point View::pointToSuperview(const Point& point) const {
    const Point relative{point.x - _bounds.x() - _bounds.width() / 2,
                         point.y - _bounds.y() - _bounds.height() / 2};
    const Point moved = applyTransform(_transform, relative);
    return {moved.x + _center.x, moved.y + _center.y};
}

Point View::convertPointToView(const Point& point, const View* view) const {
    Point inRoot = point;
    for (const View* current = this; current;) {
        rt::Ref<View> parent = current->superview();
        if (!parent) break;
        inRoot = current->pointToSuperview(inRoot);
        current = parent.get();
    }
    if (!view) return inRoot;
    return const_cast<View*>(view)->convertPointFromView(inRoot, nullptr);
}

Point View::convertPointFromView(const Point& point, const View* view) const {
    const Point inRoot = view ? view->convertPointToView(point, nullptr) : point;
    std::vector<const View*> chain;
    for (const View* current = this; current;) {
        rt::Ref<View> parent = current->superview();
        if (!parent) break;
        chain.push_back(current);
        current = parent.get();
    }
    Point result = inRoot;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        result = (*it)->pointFromSuperview(result);
    return result;
}

bool View::pointInside(const Point& point, Event* event) {
    return rt::send<bool>(this, rt::sel("pointInside:withEvent:"), point, event);
}

rt::Ref<View> View::hitTest(const Point& point, Event* event) {
    return rt::cast<View>(
        rt::send<rt::Ref<rt::Object>>(this, rt::sel("hitTest:withEvent:"), point, event));
}

void View::touchesBegan(rt::Object* touches, rt::Object* event) {
    if (rt::Ref<View> next = superview())
        rt::send<void>(next, rt::sel(kTouchesBegan), touches, event);
}
void View::touchesMoved(rt::Object* touches, rt::Object* event) {
    if (rt::Ref<View> next = superview())
        rt::send<void>(next, rt::sel(kTouchesMoved), touches, event);
}
void View::touchesEnded(rt::Object* touches, rt::Object* event) {
    if (rt::Ref<View> next = superview())
        rt::send<void>(next, rt::sel(kTouchesEnded), touches, event);
}
void View::touchesCancelled(rt::Object* touches, rt::Object* event) {
    if (rt::Ref<View> next = superview())
        rt::send<void>(next, rt::sel(kTouchesCancelled), touches, event);
}

void View::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&View::layoutSubviews>(layoutSubviewsSelector()),
                            rt::bind<&boundsContainPoint>("pointInside:withEvent:"),
                            rt::bind<&hitTestSubviews>("hitTest:withEvent:"),
                            rt::bind<&View::touchesBegan>(kTouchesBegan),
                            rt::bind<&View::touchesMoved>(kTouchesMoved),
                            rt::bind<&View::touchesEnded>(kTouchesEnded),
                            rt::bind<&View::touchesCancelled>(kTouchesCancelled),
                            rt::bind<&View::tintColorDidChange>("tintColorDidChange"),
                            rt::bind<&View::didAddSubview>("didAddSubview:"),
                            rt::bind<&View::willRemoveSubview>("willRemoveSubview:"),
                        });
}

}  // namespace ui
