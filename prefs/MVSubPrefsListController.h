#pragma once

#include "rt/Ref.h"
#include "settings/HBRootListController.h"
#include "ui/IndexPath.h"
#include "ui/Label.h"

namespace morvane::prefs {

// One group of settings on a page of its own, opened from a row of the root page: the row's
// "MVSubPrefs" names the specifier file of the page's rows and its label becomes the title.
// Values are read straight from the settings file, falling back to each row's default, and
// every change is stored through the framework and straight into the file, then posted.
class MVSubPrefsListController : public settings::HBRootListController {
  public:
    static constexpr const char* kClassName = "MVSubPrefsListController";

    MVSubPrefsListController();  // init

    void viewDidLoad();
    void viewWillAppear(bool animated);
    void setSpecifier(rt::Object* specifier);
    void reloadSpecifiers();
    void loadFromSpecifier(rt::Object* specifier);
    void setupNavigationTitleView();
    double heightForHeaderInSection(rt::Object* tableView, long long section);
    rt::Ref<rt::Object> readPreferenceValue(rt::Object* specifier);
    void setPreferenceValue(rt::Object* value, rt::Object* specifier);
    void enableDisableCellIfNeededForKey(const std::string& key, rt::Object* value);
    void setCellForRowAtIndexPath(ui::IndexPath* indexPath, bool enabled);
    rt::Ref<ui::Color> getHeaderColorFromColor(ui::Color* color);

    const rt::Ref<ui::Label>& titleLabel() const { return _titleLabel; }
    void setTitleLabel(rt::Ref<ui::Label> label) { _titleLabel = std::move(label); }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<ui::Label> _titleLabel;
};

}  // namespace morvane::prefs
