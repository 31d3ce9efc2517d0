#include "tweak/menu/ActionViewContent.h"

#include <vector>

#include "foundation/Number.h"
#include "rt/Associations.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Weak.h"
#include "tweak/menu/GuardedMethod.h"
#include "tweak/menu/HostMenuObjects.h"
#include "tweak/menu/MenuControllerRegistry.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/SharedState.h"
#include "tweak/widgets/TogglesView.h"

namespace morvane {

namespace {

constexpr const char* kCarbon = "carbon";
constexpr const char* kNoctis = "noctis";

// The count of content changes a row has had, attached to it: a fade that ends after a later
// change of the same row has begun leaves the row as that later change wants it.
const char kContentChangesKey = 0;

long long beginContentChange(rt::Object* row) {
    const auto* changes =
        dynamic_cast<const rt::Number*>(rt::getAssociatedObject(row, &kContentChangesKey));
    const long long change = (changes ? changes->longLongValue() : 0) + 1;
    rt::setAssociatedObject(row, &kContentChangesKey, rt::make<rt::Number>(change));
    return change;
}

bool isLatestContentChange(const rt::Object* row, long long change) {
    const auto* changes =
        dynamic_cast<const rt::Number*>(rt::getAssociatedObject(row, &kContentChangesKey));
    return changes && changes->longLongValue() == change;
}

// The row's own content, each with the alpha it shows at.
struct ContentView {
    rt::Ref<ui::View> view;
    double shownAlpha;
};

std::vector<ContentView> contentOf(rt::Object* row) {
    std::vector<ContentView> content;
    auto add = [&](ui::View* view, double shownAlpha) {
        if (view) content.push_back({rt::retained(view), shownAlpha});
    };
    add(HostMenuObjects::titleLabel(row), 1);
    add(HostMenuObjects::subtitleLabel(row), 1);
    add(MenuControllerRegistry::enabledTogglesView(row).get(),
        ActionViewContent::kEnabledTogglesAlpha);
    ui::View* legibleTitle = HostMenuObjects::legibilityTreatedTitleLabel(row);
    ui::View* legibleSubtitle = HostMenuObjects::legibilityTreatedSubtitleLabel(row);
    if (legibleTitle && legibleSubtitle) {
        add(legibleTitle, ActionViewContent::legibilityTreatedTitleAlpha());
        add(legibleSubtitle, ActionViewContent::kLegibilityTreatedAlpha);
    }
    return content;
}

}  // namespace

void ActionViewContent::setCustomSubtitle(rt::Object* row, const std::string& subtitle) {
    if (ui::Label* label = HostMenuObjects::subtitleLabel(row)) label->setText(subtitle);
    if (ui::Label* legible =
            HostMenuObjects::textLabelOf(HostMenuObjects::legibilityTreatedSubtitleLabel(row)))
        legible->setText(subtitle);
}

void ActionViewContent::hideAllContent(rt::Object* row, bool hide) {
    const std::vector<ContentView> content = contentOf(row);
    const long long change = beginContentChange(row);
    if (!hide) {
        for (const ContentView& item : content) item.view->setHidden(false);
    }
    const rt::Weak<rt::Object> changedRow(row);
    ui::View::animate(
        kFadeDuration,
        [&] {
            for (const ContentView& item : content) item.view->setAlpha(hide ? 0 : item.shownAlpha);
        },
        [content, hide, changedRow, change](bool) {
            const auto stillRow = changedRow.lock();
            if (!hide || !stillRow || !isLatestContentChange(stillRow.get(), change)) return;
            for (const ContentView& item : content) item.view->setHidden(true);
        });
}

ui::Rect ActionViewContent::getContentFrame(rt::Object* row) {
    auto* rowView = rt::cast<ui::View>(row);
    ui::View* title = HostMenuObjects::titleLabel(row);
    const rt::Ref<ui::View> container = title ? title->superview() : nullptr;
    if (!rowView || !container) return ui::Rect::zero();
    const ui::Rect content = container->frame();
    const ui::Rect own = rowView->frame();
    return ui::Rect(content.x(), own.y(), content.width(), own.height());
}

double ActionViewContent::legibilityTreatedTitleAlpha() {
    if (SharedState::darkModeEnabled()) {
        const auto& tweak = SharedState::darkModeTweakName();
        if (tweak == kCarbon) return kCarbonLegibilityTitleAlpha;
        if (tweak == kNoctis) return kNoctisLegibilityTitleAlpha;
    }
    return kLegibilityTreatedAlpha;
}

}  // namespace morvane
