#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"

#include "device/ClassRegistration.h"
#include "rt/Make.h"
#include "rt/MethodBinding.h"
#include "springboard/MenuAppearance.h"
#include "springboard/MenuGeometry.h"
#include "springboard/SBUIActionView.h"
#include "ui/Color.h"
#include "ui/Layer.h"
#include "ui/UIScreen.h"

namespace springboard {

std::vector<rt::Ref<rt::Object>> SBUIAppIconForceTouchShortcutViewController::actionViews() const {
    return {_rows.begin(), _rows.end()};
}

// The menu's frame on the screen: next to the pressed icon (MenuGeometry::anchoredFrame), or
// at the fixed place, mirrored right-to-left, without one.
void SBUIAppIconForceTouchShortcutViewController::loadView() {
    using G = MenuGeometry;
    auto view = rt::make<SBUIShortcutMenuView>(_rows);
    const double height = G::kRowHeight * static_cast<double>(_rows.size()) + G::kMenuBottomInset;
    const ui::Rect screen = ui::UIScreen::bounds();
    if (_iconFrame) {
        view->setFrame(G::anchoredFrame(*_iconFrame, height, screen));
    } else {
        const double x = view->isRightToLeft() ? screen.width() - G::kMenuEdgeInset - G::kMenuWidth
                                               : G::kMenuEdgeInset;
        view->setFrame(ui::Rect(x, G::kMenuTop, G::kMenuWidth, height));
    }
    setView(view.get());
}

void SBUIAppIconForceTouchShortcutViewController::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    using Controller = SBUIAppIconForceTouchShortcutViewController;
    rt::addMethods(device::registerUnlessLeftOut<Controller, ui::ViewController>(configuration),
                   {
                       rt::bind<&Controller::loadView>("loadView"),
                       rt::bind<&Controller::viewDidLayoutSubviews>("viewDidLayoutSubviews"),
                       rt::bind<&Controller::viewWillDisappear>("viewWillDisappear:"),
                       rt::bind<&Controller::actionViews>("actionViews"),
                   });
}

// The menu's platter: rounded, light in the stock look and dark under a dark-mode add-on,
// nearly opaque so the blurred icons under it do not show through.
SBUIShortcutMenuView::SBUIShortcutMenuView(std::vector<rt::Ref<SBUIActionView>> rows)
    : _rows(std::move(rows)) {
    const bool dark = MenuAppearance::current() != MenuAppearance::Kind::Stock;
    setBackgroundColor(dark ? ui::Color::colorWithWhite(0.11, 0.99)
                            : ui::Color::colorWithWhite(0.96, 0.99));
    layer()->setCornerRadius(MenuGeometry::kMenuCornerRadius);
    setClipsToBounds(true);
    for (const auto& row : _rows) addSubview(row.get());
}

// Rows fill the width, one under the other in list order, and are laid out in that order.
void SBUIShortcutMenuView::layoutSubviews() {
    double y = 0;
    for (const auto& row : _rows) {
        row->setFrame(ui::Rect(0, y, bounds().width(), MenuGeometry::kRowHeight));
        y += MenuGeometry::kRowHeight;
    }
    for (const auto& row : _rows) {
        row->setNeedsLayout();
        row->layoutIfNeeded();
    }
}

void SBUIShortcutMenuView::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::addMethods(device::registerUnlessLeftOut<SBUIShortcutMenuView, ui::View>(configuration),
                   {rt::bind<&SBUIShortcutMenuView::layoutSubviews>("layoutSubviews")});
}

}  // namespace springboard
