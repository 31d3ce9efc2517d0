#pragma once

#include <map>
#include <string>
#include <vector>

#include "rt/Ref.h"

namespace ui {

class LayoutConstraint;
class View;

// The visual format language of layout constraints ("H:|-0-[name]-0-|"): an optional
// orientation ("H:" or "V:"), an optional superview edge "|", views in brackets with
// optional size predicates ("[name(==40)]", "[name(>=width)]", "[name(==other)]"), and the
// connections between them ("-8-", "-(>=8)-", "-" for the standard spacing, nothing for
// none). Numbers may be names from the metrics. Horizontal formats relate leading and
// trailing edges unless the options ask for left-to-right or right-to-left.
class VisualFormat {
  public:
    // Direction option bits ("NSLayoutFormatDirection...").
    static constexpr unsigned long kDirectionLeadingToTrailing = 0UL << 16;
    static constexpr unsigned long kDirectionLeftToRight = 1UL << 16;
    static constexpr unsigned long kDirectionRightToLeft = 2UL << 16;
    static constexpr unsigned long kDirectionMask = 3UL << 16;

    static constexpr double kStandardSpacing = 8;
    static constexpr double kStandardSuperviewSpacing = 20;

    // The constraints of the format, inactive. Throws std::invalid_argument for a format
    // that does not parse, a view name missing from `views`, an unknown metric, or "|"
    // next to a view that has no superview.
    static std::vector<rt::Ref<LayoutConstraint>> parse(
        const std::string& format, unsigned long options,
        const std::map<std::string, double>& metrics,
        const std::map<std::string, rt::Ref<View>>& views);
};

}  // namespace ui
