#pragma once

#include <string>

#include "foundation/ObjectArray.h"
#include "rt/Ref.h"
#include "settings/HBRootListController.h"
#include "ui/IndexPath.h"
#include "ui/Label.h"

namespace morvane::prefs {

// One app's values, opened from its row of "App values": "Volume" and "Brightness" with their
// percentages and each stored toggle by its label with On or Off, each removed by the table's
// swipe-to-delete; then "Remove all values", which removes all of them and goes back to the
// list. Read from the file with the home screen's rules each time the page is shown.
class MVAppValuesAppController : public settings::HBRootListController {
  public:
    static constexpr const char* kClassName = "MVAppValuesAppController";
    static constexpr const char* kRemoveAllLabel = "Remove all values";
    // "UITableViewCellEditingStyleDelete".
    static constexpr long long kEditingStyleDelete = 1;

    MVAppValuesAppController();  // init

    const std::string& bundleId() const { return _bundleId; }

    // The opening row names the app (its "bundleId") and the title (its label).
    void setSpecifier(rt::Object* specifier);
    rt::Ref<rt::Object> specifiers();
    void reloadSpecifiers();
    void viewWillAppear(bool animated);
    // The table's swipe-to-delete: every value row can be deleted.
    bool canEditRowAtIndexPath(rt::Object* tableView, ui::IndexPath* indexPath);
    void commitEditingStyle(rt::Object* tableView, long long style, ui::IndexPath* indexPath);
    void removeAllValues(rt::Object* sender);

    const rt::Ref<ui::Label>& titleLabel() const { return _titleLabel; }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<settings::ObjectArray> makeSpecifiers();

    std::string _bundleId;
    rt::Ref<ui::Label> _titleLabel;
};

}  // namespace morvane::prefs
