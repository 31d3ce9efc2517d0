#pragma once

#include <string>

#include "foundation/ObjectArray.h"
#include "rt/Ref.h"
#include "settings/HBRootListController.h"
#include "settings/PSSpecifier.h"
#include "ui/Label.h"

namespace morvane::prefs {

// What the "App values" pages share: the pane's appearance and title label, and rows made
// from the values file each time the page is shown or changed something, so that a page
// always shows what the file holds.
class AppValuesPage : public settings::HBRootListController {
  public:
    AppValuesPage();  // init

    rt::Ref<rt::Object> specifiers();
    void reloadSpecifiers();
    // The values may have changed on another page or in another process since last shown.
    void viewWillAppear(bool animated);
    const rt::Ref<ui::Label>& titleLabel() const { return _titleLabel; }

    // Binds the methods above; each page adds its own.
    static void registerRuntimeMethods(rt::Class* cls);

  protected:
    // The page's rows, read from the file now.
    virtual rt::Ref<settings::ObjectArray> makeSpecifiers() = 0;
    void setPageTitle(const std::string& title);
    // A button row that sends `action` to this page.
    rt::Ref<settings::PSSpecifier> button(const std::string& label, const char* action);

  private:
    rt::Ref<ui::Label> _titleLabel;
};

}  // namespace morvane::prefs
