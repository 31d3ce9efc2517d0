#pragma once

#include "rt/Ref.h"
#include "settings/HBRootListController.h"
#include "ui/BarButtonItem.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

namespace morvane::prefs {

// The pane's first page: the rows of "Prefs" under a header image that stretches when the
// list is pulled down, a title in the navigation bar that turns into the product icon once
// the list is scrolled up, and a "Respring" button, shown once the master switch changed,
// that restarts the home screen so that the tweak library starts again.
class MVPrefsListController : public settings::HBRootListController {
  public:
    static constexpr const char* kClassName = "MVPrefsListController";
    static constexpr const char* kIconPath =
        "/Library/PreferenceBundles/MorvanePrefs.bundle/icon_transparent.png";
    static constexpr const char* kHeaderPath =
        "/Library/PreferenceBundles/MorvanePrefs.bundle/header.png";

    MVPrefsListController();  // init

    void viewDidLoad();
    void viewWillAppear(bool animated);
    rt::Ref<rt::Object> specifiers();
    void respring(rt::Object* sender);
    void setupNavigationTitleView();
    void setupNavigationRespringButton();
    void setupHeaderView();
    void scrollViewDidScroll(ui::ScrollView* scrollView);
    double heightForHeaderInSection(rt::Object* tableView, long long section);
    void setPreferenceValue(rt::Object* value, rt::Object* specifier);
    rt::Ref<ui::Color> getHeaderColorFromColor(ui::Color* color);

    const rt::Ref<ui::Label>& titleLabel() const { return _titleLabel; }
    void setTitleLabel(rt::Ref<ui::Label> label) { _titleLabel = std::move(label); }
    const rt::Ref<ui::ImageView>& iconView() const { return _iconView; }
    void setIconView(rt::Ref<ui::ImageView> view) { _iconView = std::move(view); }
    const rt::Ref<ui::BarButtonItem>& respringButton() const { return _respringButton; }
    void setRespringButton(rt::Ref<ui::BarButtonItem> item) { _respringButton = std::move(item); }
    const rt::Ref<ui::View>& headerView() const { return _headerView; }
    void setHeaderView(rt::Ref<ui::View> view) { _headerView = std::move(view); }
    const rt::Ref<ui::ImageView>& headerImageView() const { return _headerImageView; }
    void setHeaderImageView(rt::Ref<ui::ImageView> view) { _headerImageView = std::move(view); }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<ui::Label> _titleLabel;
    rt::Ref<ui::ImageView> _iconView;
    rt::Ref<ui::BarButtonItem> _respringButton;
    rt::Ref<ui::View> _headerView;
    rt::Ref<ui::ImageView> _headerImageView;
};

}  // namespace morvane::prefs
