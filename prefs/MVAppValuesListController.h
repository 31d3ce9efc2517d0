#pragma once

#include <cstddef>
#include <string>

#include "foundation/ObjectArray.h"
#include "prefs/AppValuesPage.h"
#include "rt/Ref.h"
#include "ui/IndexPath.h"

namespace morvane::prefs {

// "App values": every app the values file holds values for, sorted by the name the home
// screen shows, each with its icon and what is set ("Volume 20% · Brightness 70% · 3
// toggles"), opening the app's page; and "Reset all apps…", which removes every app's values
// (never the settings) once confirmed. An app's row is removed, with all its values, by the
// table's swipe-to-delete. The rows are read from the file each time the page
// appears, with the home screen's rules.
class MVAppValuesListController : public AppValuesPage {
  public:
    static constexpr const char* kClassName = "MVAppValuesListController";
    static constexpr const char* kEmptyFooter =
        "Press an app's icon firmly and choose Volume, Brightness or Toggles.";
    static constexpr const char* kResetLabel = "Reset all apps\u2026";
    // More apps than this are shown in parts, each on a page of its own.
    static constexpr std::size_t kMostAppsOnAPage = 250;

    void setSpecifier(rt::Object* specifier);
    // The table's swipe-to-delete: an app's row removes every value of the app.
    bool canEditRowAtIndexPath(rt::Object* tableView, ui::IndexPath* indexPath);
    void commitEditingStyle(rt::Object* tableView, long long style, ui::IndexPath* indexPath);
    // The "Reset all apps…" button: an action sheet asks to confirm.
    void resetAllApps(rt::Object* sender);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<settings::ObjectArray> makeSpecifiers() override;
    void removeEveryApp();

    // A part of a long list: the first and last app's sort keys; empty for the whole list.
    std::string _from;
    std::string _to;
};

}  // namespace morvane::prefs
