#include "prefs/PageAppearance.h"

#include "prefs/HeaderColor.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "settings/HBAppearanceSettings.h"
#include "ui/Font.h"
#include "ui/Image.h"
#include "ui/LayoutConstraint.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationItem.h"

namespace morvane::prefs {

void installPageAppearance(rt::Object* page) {
    auto appearance = rt::make<settings::HBAppearanceSettings>();
    appearance->setTableViewCellSeparatorColor(ui::Color::colorWithWhite(0.0, 0.0));
    appearance->setNavigationBarBackgroundColor(headerColorFromColor(accentColor().get()));
    appearance->setTintColor(accentColor());
    appearance->setStatusBarTintColor(ui::Color::whiteColor());
    appearance->setNavigationBarTintColor(ui::Color::whiteColor());
    appearance->setNavigationBarTitleColor(ui::Color::whiteColor());
    rt::send<void>(page, rt::sel("hb_setAppearanceSettings:"), appearance);
}

void colorContainingNavigationBar(rt::Object* page) {
    const auto own = rt::send<rt::Ref<rt::Object>>(page, rt::sel("navigationController"));
    const auto containing = rt::send<rt::Ref<rt::Object>>(own, rt::sel("navigationController"));
    const auto bar = rt::cast<ui::NavigationBar>(
        rt::send<rt::Ref<rt::Object>>(containing, rt::sel("navigationBar")));
    if (!bar) return;
    bar->setBarTintColor(headerColorFromColor(accentColor().get()));
    bar->setShadowImage(rt::make<ui::Image>());
    bar->setTintColor(ui::Color::whiteColor());
}

rt::Ref<ui::Label> installTitleLabel(rt::Object* page) {
    auto titleView = rt::make<ui::View>();
    rt::cast<ui::NavigationItem>(rt::send<rt::Ref<rt::Object>>(page, rt::sel("navigationItem")))
        ->setTitleView(titleView);
    auto label = rt::make<ui::Label>(ui::Rect(0, 0, 10, 10));
    label->setFont(ui::Font::boldSystemFontOfSize(17));
    label->setTextColor(ui::Color::whiteColor());
    label->setTextAlignment(ui::TextAlignment::Center);
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    titleView->addSubview(label.get());
    ui::LayoutConstraint::activateConstraints({
        label->topAnchor()->constraintEqualToAnchor(*titleView->topAnchor()),
        label->leadingAnchor()->constraintEqualToAnchor(*titleView->leadingAnchor()),
        label->trailingAnchor()->constraintEqualToAnchor(*titleView->trailingAnchor()),
        label->bottomAnchor()->constraintEqualToAnchor(*titleView->bottomAnchor()),
    });
    return label;
}

}  // namespace morvane::prefs
