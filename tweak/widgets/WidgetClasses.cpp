#include "tweak/widgets/WidgetClasses.h"

#include "rt/Runtime.h"
#include "tweak/widgets/ButtonWithIncreasedTouchArea.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/ToggleButton.h"
#include "tweak/widgets/TogglesView.h"

namespace morvane {

namespace {

template <class Widget>
void registerIfAbsent() {
    if (!rt::lookUpClass(Widget::kClassName)) Widget::registerRuntimeClass();
}

}  // namespace

void registerWidgetClasses() {
    registerIfAbsent<SliderView>();
    registerIfAbsent<ToggleButton>();
    registerIfAbsent<TogglesView>();
    registerIfAbsent<ButtonWithIncreasedTouchArea>();
}

}  // namespace morvane
