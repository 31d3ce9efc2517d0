#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"

#include "device/ClassRegistration.h"
#include "rt/Make.h"
#include "rt/MethodBinding.h"
#include "springboard/MenuGeometry.h"
#include "springboard/SBUIActionView.h"
#include "ui/UIScreen.h"

namespace springboard {

std::vector<rt::Ref<rt::Object>> SBUIAppIconForceTouchShortcutViewController::actionViews() const {
    return {_rows.begin(), _rows.end()};
}

// The menu's frame on the screen: MenuGeometry, mirrored right-to-left.
void SBUIAppIconForceTouchShortcutViewController::loadMenuView() {
    using G = MenuGeometry;
    auto view = rt::make<SBUIShortcutMenuView>(_rows);
    const double height = G::kRowHeight * static_cast<double>(_rows.size());
    const double x = view->isRightToLeft()
                         ? ui::UIScreen::bounds().width() - G::kMenuEdgeInset - G::kMenuWidth
                         : G::kMenuEdgeInset;
    view->setFrame(ui::Rect(x, G::kMenuTop, G::kMenuWidth, height));
    setView(view.get());
}

void SBUIAppIconForceTouchShortcutViewController::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    using Controller = SBUIAppIconForceTouchShortcutViewController;
    rt::addMethods(device::registerUnlessLeftOut<Controller, ui::ViewController>(configuration),
                   {
                       rt::bind<&Controller::loadMenuView>("loadView"),
                       rt::bind<&Controller::menuDidLayOut>("viewDidLayoutSubviews"),
                       rt::bind<&Controller::menuWillDisappear>("viewWillDisappear:"),
                       rt::bind<&Controller::actionViews>("actionViews"),
                   });
}

SBUIShortcutMenuView::SBUIShortcutMenuView(std::vector<rt::Ref<SBUIActionView>> rows)
    : _rows(std::move(rows)) {
    for (const auto& row : _rows) addSubview(row.get());
}

// Rows fill the width, one under the other in list order, and are laid out in that order.
void SBUIShortcutMenuView::layOutRows() {
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
                   {rt::bind<&SBUIShortcutMenuView::layOutRows>("layoutSubviews")});
}

}  // namespace springboard
