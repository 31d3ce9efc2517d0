#include "ui/StackView.h"

#include <algorithm>
#include <numeric>

#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/LayoutSolver.h"

namespace ui {

namespace {

// Start positions and lengths along the axis for the given own lengths.
struct Placement {
    std::vector<double> starts;
    std::vector<double> lengths;
};

Placement placeAlongAxis(long distribution, const std::vector<double>& own, double available,
                         double spacing) {
    const std::size_t count = own.size();
    Placement placement{std::vector<double>(count), own};
    const double gaps = spacing * static_cast<double>(count - 1);
    const double total = std::accumulate(own.begin(), own.end(), 0.0);
    switch (distribution) {
        case StackView::kDistributionFillEqually:
            std::fill(placement.lengths.begin(), placement.lengths.end(),
                      std::max(0.0, (available - gaps) / static_cast<double>(count)));
            break;
        case StackView::kDistributionFillProportionally:
            for (std::size_t i = 0; i < count; ++i) {
                placement.lengths[i] =
                    total > 0 ? own[i] / total * std::max(0.0, available - gaps)
                              : std::max(0.0, available - gaps) / static_cast<double>(count);
            }
            break;
        case StackView::kDistributionFill:
            placement.lengths.back() = std::max(0.0, available - gaps - (total - own.back()));
            break;
        default:
            break;
    }
    double gap = spacing;
    if (distribution == StackView::kDistributionEqualSpacing && count > 1) {
        gap = std::max(spacing, (available - total) / static_cast<double>(count - 1));
    }
    if (distribution == StackView::kDistributionEqualCentering && count > 1) {
        const double centreStep =
            (available - own.front() / 2 - own.back() / 2) / static_cast<double>(count - 1);
        for (std::size_t i = 0; i < count; ++i) {
            placement.starts[i] =
                own.front() / 2 + centreStep * static_cast<double>(i) - own[i] / 2;
        }
        return placement;
    }
    double position = 0;
    for (std::size_t i = 0; i < count; ++i) {
        placement.starts[i] = position;
        position += placement.lengths[i] + gap;
    }
    return placement;
}

// Position and length across the axis.
std::pair<double, double> placeAcrossAxis(long alignment, double own, double available) {
    switch (alignment) {
        case StackView::kAlignmentFill:
            return {0, available};
        case StackView::kAlignmentCenter:
            return {(available - own) / 2, own};
        case StackView::kAlignmentTrailing:
        case StackView::kAlignmentLastBaseline:
            return {available - own, own};
        default:
            return {0, own};
    }
}

}  // namespace

void StackView::setAxis(long axis) {
    _axis = axis;
    setNeedsLayout();
}

void StackView::setDistribution(long distribution) {
    _distribution = distribution;
    setNeedsLayout();
}

void StackView::setAlignment(long alignment) {
    _alignment = alignment;
    setNeedsLayout();
}

void StackView::setSpacing(double spacing) {
    _spacing = spacing;
    setNeedsLayout();
}

void StackView::addArrangedSubview(View* view) {
    insertArrangedSubview(view, _arrangedSubviews.size());
}

void StackView::insertArrangedSubview(View* view, std::size_t index) {
    if (!view || view == this) return;
    rt::Ref<View> keep = rt::retained(view);
    std::erase(_arrangedSubviews, keep);
    if (view->superview().get() != this) addSubview(view);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    _arrangedSubviews.insert(
        _arrangedSubviews.begin() + static_cast<long>(std::min(index, _arrangedSubviews.size())),
        keep);
    setNeedsLayout();
}

void StackView::removeArrangedSubview(View* view) {
    forgetArrangedSubview(view);
    setNeedsLayout();
}

void StackView::forgetArrangedSubview(View* view) {
    std::erase_if(_arrangedSubviews,
                  [view](const rt::Ref<View>& arranged) { return arranged.get() == view; });
}

void StackView::layoutSubviews() {
    View::layoutSubviews();
    std::vector<View*> shown;
    for (const rt::Ref<View>& view : _arrangedSubviews) {
        if (!view->isHidden()) shown.push_back(view.get());
    }
    if (shown.empty()) return;
    const bool horizontal = _axis == kAxisHorizontal;
    std::vector<Size> sizes;
    std::vector<double> alongAxis;
    for (View* view : shown) {
        sizes.push_back(LayoutSolver::fittingSize(*view));
        alongAxis.push_back(horizontal ? sizes.back().width : sizes.back().height);
    }
    const Rect area = bounds();
    const Placement placement = placeAlongAxis(_distribution, alongAxis,
                                               horizontal ? area.width() : area.height(), _spacing);
    const bool mirrored = horizontal && isRightToLeft();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const double across = horizontal ? sizes[i].height : sizes[i].width;
        const auto [crossStart, crossLength] =
            placeAcrossAxis(_alignment, across, horizontal ? area.height() : area.width());
        double start = placement.starts[i];
        if (mirrored) start = area.width() - start - placement.lengths[i];
        const Rect frame = horizontal ? Rect(area.minX() + start, area.minY() + crossStart,
                                             placement.lengths[i], crossLength)
                                      : Rect(area.minX() + crossStart, area.minY() + start,
                                             crossLength, placement.lengths[i]);
        if (frame != shown[i]->frame()) shown[i]->setFrame(frame);
    }
}

void StackView::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&StackView::layoutSubviews>("layoutSubviews"),
                            rt::bind<&StackView::forgetArrangedSubview>("willRemoveSubview:"),
                        });
}

}  // namespace ui
