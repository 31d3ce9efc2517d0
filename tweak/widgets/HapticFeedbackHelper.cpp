#include "tweak/widgets/HapticFeedbackHelper.h"

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/Runtime.h"
#include "ui/ImpactFeedbackGenerator.h"

namespace morvane {

void HapticFeedbackHelper::sendImpact() {
    sendImpactWithStyle(kLightStyle);
}

void HapticFeedbackHelper::sendImpactWithStyle(long style) {
    if (!rt::lookUpClass(ui::ImpactFeedbackGenerator::kClassName)) return;
    const rt::Ref<ui::ImpactFeedbackGenerator> generator =
        rt::make<ui::ImpactFeedbackGenerator>(style);
    rt::send<void>(generator, rt::sel("impactOccurred"));
}

}  // namespace morvane
