#include "ui/AnimationRecord.h"

#include <algorithm>

#include "ui/View.h"

namespace ui {

bool AnimationRecord::changed(const View* view, const std::string& property) const {
    return std::any_of(changes.begin(), changes.end(), [&](const Change& change) {
        return change.property == property && change.view.lock().get() == view;
    });
}

}  // namespace ui
