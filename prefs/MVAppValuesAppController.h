#pragma once

#include <string>

#include "foundation/ObjectArray.h"
#include "prefs/AppValuesPage.h"
#include "rt/Ref.h"
#include "ui/IndexPath.h"

namespace morvane::prefs {

// One app's values, opened from its row of "App values": "Volume" and "Brightness" with their
// percentages and each stored toggle by its label with On or Off, each removed by the table's
// swipe-to-delete; then "Remove all values", which removes all of them and goes back to the
// list. Read from the file with the home screen's rules each time the page is shown.
class MVAppValuesAppController : public AppValuesPage {
  public:
    static constexpr const char* kClassName = "MVAppValuesAppController";
    static constexpr const char* kRemoveAllLabel = "Remove all values";
    // "UITableViewCellEditingStyleDelete".
    static constexpr long long kEditingStyleDelete = 1;

    const std::string& bundleId() const { return _bundleId; }

    // The opening row names the app (its "bundleId") and the title (its label).
    void setSpecifier(rt::Object* specifier);
    // The table's swipe-to-delete: every value row can be deleted.
    bool canEditRowAtIndexPath(rt::Object* tableView, ui::IndexPath* indexPath);
    void commitEditingStyle(rt::Object* tableView, long long style, ui::IndexPath* indexPath);
    void removeAllValues(rt::Object* sender);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<settings::ObjectArray> makeSpecifiers() override;

    std::string _bundleId;
};

}  // namespace morvane::prefs
