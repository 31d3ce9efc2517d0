#pragma once

#include <functional>
#include <string>

#include "settings/PSListController.h"

namespace settings {

// The Settings app's own first page ("PSUIPrefsListController"): a few of the phone's usual
// entries in their groups, then a group with every installed pane, each with its icon. Tapping
// a pane's entry opens it through the app; the phone's own entries open nothing here.
class SettingsListController : public PSListController {
  public:
    static constexpr const char* kClassName = "PSUIPrefsListController";
    using PaneOpener = std::function<void(const std::string& label)>;

    SettingsListController() = default;

    void setPaneOpener(PaneOpener opener) { _openPane = std::move(opener); }

    // "specifiers": the entries, built anew each time the page appears.
    rt::Ref<rt::Object> specifiers();
    // "openPaneOfSpecifier:": the action of a pane's entry.
    void openPaneOfSpecifier(rt::Object* specifier);
    void viewWillAppear(bool animated);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<ObjectArray> buildEntries();

    PaneOpener _openPane;
};

}  // namespace settings
