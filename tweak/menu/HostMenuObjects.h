#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/Label.h"
#include "ui/View.h"

namespace morvane {

// What the menu code reads from the host's menu objects by name: string answers, the row's
// private labels, the system version. A missing field or method answers null or none and
// never fails.
class HostMenuObjects {
  public:
    // A string the host answers, which may be nil: the host answers either a string (empty
    // for nil) or a string object. None for nil, a missing method or a null receiver.
    static std::optional<std::string> stringAnswer(rt::Object* receiver, std::string_view selector);

    // The row's title label object ("_titleLabel") and the text label inside it ("_label").
    static ui::View* titleLabel(rt::Object* row);
    static ui::Label* titleTextLabel(rt::Object* row);
    static ui::Label* subtitleLabel(rt::Object* row);
    // "_legibilityTreatedTitleLabel" / "_legibilityTreatedSubtitleLabel": only on systems
    // newer than 11.4.1, null otherwise or when the row has no such field.
    static ui::View* legibilityTreatedTitleLabel(rt::Object* row);
    static ui::View* legibilityTreatedSubtitleLabel(rt::Object* row);
    // The text label of a label-like field: the label itself, or its "_label".
    static ui::Label* textLabelOf(rt::Object* labelObject);

    // The device's system version compares, numerically, above "11.4.1".
    static bool systemIsNewerThan11_4_1();
    // The application's interface is laid out right to left.
    static bool layoutIsRightToLeft();
};

}  // namespace morvane
