#pragma once

#include <vector>

#include "ui/View.h"

namespace ui {

// A view that lines up its arranged subviews along an axis ("UIStackView").
//
// Arranging a view also makes it a subview; removing it from the arrangement leaves it a
// subview, removing it from the stack view removes it from both. On layout each shown
// (not hidden) arranged view gets the size its own constraints give it, then is placed by
// the distribution along the axis (right to left in a right-to-left interface) and by the
// alignment across it:
//   - fill: one after the other with the spacing; the last one takes what is left;
//   - fill equally: equal sizes filling the axis, with the spacing between;
//   - fill proportionally: sizes in proportion to their own, filling the axis;
//   - equal spacing: their own sizes with equal gaps (never below the spacing) filling the
//     axis; one view alone stands at the start;
//   - equal centring: centres equally apart, the first and last views at the ends.
//   - across: fill stretches, leading/top, centre and trailing/bottom place.
class StackView : public View {
  public:
    static constexpr const char* kClassName = "UIStackView";

    // "UILayoutConstraintAxis".
    static constexpr long kAxisHorizontal = 0;
    static constexpr long kAxisVertical = 1;
    // "UIStackViewDistribution".
    static constexpr long kDistributionFill = 0;
    static constexpr long kDistributionFillEqually = 1;
    static constexpr long kDistributionFillProportionally = 2;
    static constexpr long kDistributionEqualSpacing = 3;
    static constexpr long kDistributionEqualCentering = 4;
    // "UIStackViewAlignment".
    static constexpr long kAlignmentFill = 0;
    static constexpr long kAlignmentLeading = 1;
    static constexpr long kAlignmentTop = 1;
    static constexpr long kAlignmentFirstBaseline = 2;
    static constexpr long kAlignmentCenter = 3;
    static constexpr long kAlignmentTrailing = 4;
    static constexpr long kAlignmentBottom = 4;
    static constexpr long kAlignmentLastBaseline = 5;

    using View::View;

    long axis() const { return _axis; }
    void setAxis(long axis);
    long distribution() const { return _distribution; }
    void setDistribution(long distribution);
    long alignment() const { return _alignment; }
    void setAlignment(long alignment);
    double spacing() const { return _spacing; }
    void setSpacing(double spacing);

    const std::vector<rt::Ref<View>>& arrangedSubviews() const { return _arrangedSubviews; }
    void addArrangedSubview(View* view);
    void insertArrangedSubview(View* view, std::size_t index);
    void removeArrangedSubview(View* view);

    // The toolkit's layout: constraints first, then the arrangement.
    void layoutSubviews();
    // Called when a subview leaves the stack view.
    void forgetArrangedSubview(View* view);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    long _axis = kAxisHorizontal;
    long _distribution = kDistributionFill;
    long _alignment = kAlignmentFill;
    double _spacing = 0;
    std::vector<rt::Ref<View>> _arrangedSubviews;
};

}  // namespace ui
