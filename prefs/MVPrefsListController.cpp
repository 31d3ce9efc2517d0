#include "prefs/MVPrefsListController.h"

#include <algorithm>

#include "core/notify/NotifyCenter.h"
#include "foundation/BoxedValue.h"
#include "foundation/NSTask.h"
#include "prefs/HeaderColor.h"
#include "prefs/PageAppearance.h"
#include "prefs/SettingsFile.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "settings/PSSpecifier.h"
#include "ui/Font.h"
#include "ui/LayoutConstraint.h"
#include "ui/NavigationController.h"
#include "ui/NavigationItem.h"

namespace morvane::prefs {

namespace {

constexpr double kIconThreshold = 70.0;
constexpr double kFadeDuration = 0.2;

rt::Ref<ui::NavigationItem> navigationItemOf(rt::Object* page) {
    return rt::cast<ui::NavigationItem>(
        rt::send<rt::Ref<rt::Object>>(page, rt::sel("navigationItem")));
}

void pinEdges(ui::View* view, ui::View* to, double inset,
              std::vector<rt::Ref<ui::LayoutConstraint>>& constraints) {
    constraints.push_back(view->topAnchor()->constraintEqualToAnchor(*to->topAnchor(), inset));
    constraints.push_back(
        view->leadingAnchor()->constraintEqualToAnchor(*to->leadingAnchor(), inset));
    constraints.push_back(
        view->trailingAnchor()->constraintEqualToAnchor(*to->trailingAnchor(), -inset));
    constraints.push_back(
        view->bottomAnchor()->constraintEqualToAnchor(*to->bottomAnchor(), -inset));
}

}  // namespace

MVPrefsListController::MVPrefsListController() {
    installPageAppearance(this);
    rt::send<void>(this, rt::sel("setupNavigationTitleView"));
    rt::send<void>(this, rt::sel("setupNavigationRespringButton"));
}

void MVPrefsListController::setupNavigationTitleView() {
    auto titleView = rt::make<ui::View>();
    navigationItemOf(this)->setTitleView(titleView);

    _titleLabel = rt::make<ui::Label>(ui::Rect(0, 0, 10, 10));
    _titleLabel->setFont(ui::Font::boldSystemFontOfSize(17));
    _titleLabel->setText("Morvane");
    _titleLabel->setTextColor(ui::Color::whiteColor());
    _titleLabel->setTextAlignment(ui::TextAlignment::Center);
    _titleLabel->setTranslatesAutoresizingMaskIntoConstraints(false);

    _iconView = rt::make<ui::ImageView>(ui::Rect(0, 0, 10, 10));
    _iconView->setContentMode(ui::ContentMode::ScaleAspectFit);
    _iconView->setImage(ui::Image::imageWithContentsOfFile(kIconPath));
    _iconView->setTranslatesAutoresizingMaskIntoConstraints(false);
    _iconView->setAlpha(0.0);

    titleView->addSubview(_titleLabel.get());
    titleView->addSubview(_iconView.get());
    std::vector<rt::Ref<ui::LayoutConstraint>> constraints;
    pinEdges(_titleLabel.get(), titleView.get(), 0, constraints);
    pinEdges(_iconView.get(), titleView.get(), 0, constraints);
    ui::LayoutConstraint::activateConstraints(constraints);
}

void MVPrefsListController::setupNavigationRespringButton() {
    _respringButton = rt::make<ui::BarButtonItem>("Respring", ui::BarButtonItemStyle::Plain, this,
                                                  rt::sel("respring:"));
    _respringButton->setTintColor(ui::Color::whiteColor());
}

void MVPrefsListController::viewDidLoad() {
    settings::HBRootListController::viewDidLoad();
    rt::send<void>(this, rt::sel("setupHeaderView"));
    table()->setKeyboardDismissMode(ui::KeyboardDismissMode::OnDrag);
}

void MVPrefsListController::setupHeaderView() {
    _headerView = rt::make<ui::View>(ui::Rect(0, 0, 200, 200));
    _headerImageView = rt::make<ui::ImageView>(ui::Rect(0, 0, 200, 200));
    _headerImageView->setContentMode(ui::ContentMode::ScaleAspectFill);
    _headerImageView->setImage(ui::Image::imageWithContentsOfFile(kHeaderPath));
    _headerImageView->setTranslatesAutoresizingMaskIntoConstraints(false);
    _headerView->addSubview(_headerImageView.get());
    ui::LayoutConstraint::activateConstraints({
        _headerImageView->topAnchor()->constraintEqualToAnchor(*_headerView->topAnchor(), 40),
        _headerImageView->leadingAnchor()->constraintEqualToAnchor(*_headerView->leadingAnchor(),
                                                                   10),
        _headerImageView->trailingAnchor()->constraintEqualToAnchor(*_headerView->trailingAnchor(),
                                                                    -10),
        _headerImageView->bottomAnchor()->constraintEqualToAnchor(*_headerView->bottomAnchor(),
                                                                  -40),
    });
    table()->setTableHeaderView(_headerView);
}

void MVPrefsListController::viewWillAppear(bool animated) {
    settings::HBRootListController::viewWillAppear(animated);
    colorContainingNavigationBar(this);
}

rt::Ref<rt::Object> MVPrefsListController::specifiers() {
    if (!heldSpecifiers()) {
        setHeldSpecifiers(rt::cast<settings::ObjectArray>(rt::send<rt::Ref<rt::Object>>(
            this, rt::sel("loadSpecifiersFromPlistName:target:"), "Prefs", this)));
    }
    return heldSpecifiers();
}

void MVPrefsListController::respring(rt::Object*) {
    auto task = rt::make<settings::NSTask>();
    task->setLaunchPath("/usr/bin/killall");
    task->setArguments({"backboardd"});
    task->launch();
}

void MVPrefsListController::scrollViewDidScroll(ui::ScrollView* scrollView) {
    if (!scrollView) return;
    const double y = scrollView->contentOffset().y;
    const bool showIcon = y > kIconThreshold;
    ui::View::animate(kFadeDuration, [&] {
        _iconView->setAlpha(showIcon ? 1.0 : 0.0);
        _titleLabel->setAlpha(showIcon ? 0.0 : 1.0);
    });
    const double m = std::min(y, -20.0);
    if (_headerImageView && _headerView) {
        _headerImageView->setFrame(ui::Rect(
            10.0, m + 64.0 + 40.0, _headerView->frame().width() - 20.0, 200.0 - m - 64.0 - 80.0));
    }
}

double MVPrefsListController::heightForHeaderInSection(rt::Object*, long long section) {
    switch (section) {
        case 0:
        case 6:
            return 0.0;
        case 5:
            return 60.0;
        default:
            return 45.0;
    }
}

void MVPrefsListController::setPreferenceValue(rt::Object* value, rt::Object* object) {
    settings::HBRootListController::setPreferenceValue(value, object);
    const auto* specifier = dynamic_cast<const settings::PSSpecifier*>(object);
    // A change the file did not take is shown as the file holds it, with the reason; nothing
    // is posted and no restart is offered for it.
    if (!specifier || lastWriteFailed()) return;
    const std::string key = specifier->stringProperty("key");
    if (key == "enabled") navigationItemOf(this)->setRightBarButtonItem(_respringButton);
    if (const auto unboxed = settings::unboxValue(value); unboxed && !key.empty()) {
        if (!noteWriteResult(*specifier, SettingsFile::setValue(key, *unboxed))) return;
    }
    const std::string notification = specifier->stringProperty("PostNotification");
    if (!notification.empty()) core::NotifyCenter::post(notification);
}

rt::Ref<ui::Color> MVPrefsListController::getHeaderColorFromColor(ui::Color* color) {
    return headerColorFromColor(color);
}

void MVPrefsListController::registerRuntimeMethods(rt::Class* cls) {
    using C = MVPrefsListController;
    rt::addMethods(
        cls, {
                 rt::bind<&C::viewDidLoad>("viewDidLoad"),
                 rt::bind<&C::viewWillAppear>("viewWillAppear:"),
                 rt::bind<&C::specifiers>("specifiers"),
                 rt::bind<&C::respring>("respring:"),
                 rt::bind<&C::setupNavigationTitleView>("setupNavigationTitleView"),
                 rt::bind<&C::setupNavigationRespringButton>("setupNavigationRespringButton"),
                 rt::bind<&C::setupHeaderView>("setupHeaderView"),
                 rt::bind<&C::scrollViewDidScroll>("scrollViewDidScroll:"),
                 rt::bind<&C::heightForHeaderInSection>("tableView:heightForHeaderInSection:"),
                 rt::bind<&C::setPreferenceValue>("setPreferenceValue:specifier:"),
                 rt::bind<&C::getHeaderColorFromColor>("getHeaderColorFromColor:"),
                 rt::bind<&C::titleLabel>("titleLabel"),
                 rt::bind<&C::setTitleLabel>("setTitleLabel:"),
                 rt::bind<&C::iconView>("iconView"),
                 rt::bind<&C::setIconView>("setIconView:"),
                 rt::bind<&C::respringButton>("respringButton"),
                 rt::bind<&C::setRespringButton>("setRespringButton:"),
                 rt::bind<&C::headerView>("headerView"),
                 rt::bind<&C::setHeaderView>("setHeaderView:"),
                 rt::bind<&C::headerImageView>("headerImageView"),
                 rt::bind<&C::setHeaderImageView>("setHeaderImageView:"),
             });
}

}  // namespace morvane::prefs
