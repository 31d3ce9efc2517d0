#include "prefs/AppValuesPage.h"

#include "prefs/PageAppearance.h"
#include "rt/Make.h"
#include "rt/MethodBinding.h"

namespace morvane::prefs {

AppValuesPage::AppValuesPage() {
    installPageAppearance(this);
    _titleLabel = installTitleLabel(this);
}

rt::Ref<rt::Object> AppValuesPage::specifiers() {
    if (!heldSpecifiers()) setHeldSpecifiers(makeSpecifiers());
    return heldSpecifiers();
}

void AppValuesPage::reloadSpecifiers() {
    setHeldSpecifiers(makeSpecifiers());
    if (isViewLoaded()) table()->reloadData();
}

void AppValuesPage::viewWillAppear(bool animated) {
    setHeldSpecifiers({});
    settings::HBRootListController::viewWillAppear(animated);
    colorContainingNavigationBar(this);
}

void AppValuesPage::setPageTitle(const std::string& title) {
    setTitle(title);
    _titleLabel->setText(title);
}

rt::Ref<settings::PSSpecifier> AppValuesPage::button(const std::string& label, const char* action) {
    auto row = rt::make<settings::PSSpecifier>(label, settings::PSCellType::Button,
                                               core::PlistDictionary{});
    row->setTarget(this);
    row->setButtonAction(rt::sel(action));
    return row;
}

void AppValuesPage::registerRuntimeMethods(rt::Class* cls) {
    using C = AppValuesPage;
    rt::addMethods(cls, {
                            rt::bind<&C::specifiers>("specifiers"),
                            rt::bind<&C::reloadSpecifiers>("reloadSpecifiers"),
                            rt::bind<&C::viewWillAppear>("viewWillAppear:"),
                            rt::bind<&C::titleLabel>("titleLabel"),
                        });
}

}  // namespace morvane::prefs
