#include "tweak/widgets/ButtonWithIncreasedTouchArea.h"

#include "rt/Make.h"
#include "rt/Messaging.h"

namespace morvane {

namespace {

bool pointInsideImp(rt::Object* self, rt::Selector, const ui::Point& point, rt::Object*) {
    return static_cast<ButtonWithIncreasedTouchArea*>(self)->isInsideTouchArea(point);
}

}  // namespace

bool ButtonWithIncreasedTouchArea::isInsideTouchArea(const ui::Point& point) const {
    const ui::Rect area = bounds();
    const ui::Rect grown(area.x() - kTouchMargin, area.y() - kTouchMargin,
                         area.width() + 2 * kTouchMargin, area.height() + 2 * kTouchMargin);
    return grown.contains(point);
}

void ButtonWithIncreasedTouchArea::registerRuntimeClass() {
    rt::Class* cls = rt::registerClass<ButtonWithIncreasedTouchArea, ui::Button>();
    rt::addMethod(cls, rt::sel("pointInside:withEvent:"), &pointInsideImp);
}

}  // namespace morvane
