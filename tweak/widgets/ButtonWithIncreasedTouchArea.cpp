#include "tweak/widgets/ButtonWithIncreasedTouchArea.h"

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace morvane {

bool ButtonWithIncreasedTouchArea::isInsideTouchArea(const ui::Point& point,
                                                     const ui::Event*) const {
    const ui::Rect area = bounds();
    const ui::Rect grown(area.x() - kTouchMargin, area.y() - kTouchMargin,
                         area.width() + 2 * kTouchMargin, area.height() + 2 * kTouchMargin);
    return grown.contains(point);
}

void ButtonWithIncreasedTouchArea::registerRuntimeClass() {
    rt::Class* cls = rt::registerClass<ButtonWithIncreasedTouchArea, ui::Button>();
    rt::addMethods(
        cls,
        {rt::bind<&ButtonWithIncreasedTouchArea::isInsideTouchArea>("pointInside:withEvent:")});
}

}  // namespace morvane
