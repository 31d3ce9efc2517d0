#include "PaneState.h"

#include "ScriptError.h"
#include "settings/PSTableCell.h"

settings::SettingsApp& PaneState::settingsApp() const {
    if (!app) throw ScriptError("the Settings app has not started");
    return *app;
}

rt::Ref<settings::PSListController> PaneState::front() const {
    auto page = settingsApp().frontPage();
    if (!page) throw ScriptError("no pane is open (use: open <label>)");
    return page;
}

rt::Ref<settings::PSListController> PaneState::visiblePage() const {
    auto& settingsApp = this->settingsApp();
    if (auto page = settingsApp.frontPage()) return page;
    return settingsApp.listPage();
}

rt::Ref<ui::AlertController> PaneState::alert() const {
    const auto page = visiblePage();
    return page ? rt::cast<ui::AlertController>(page->presentedViewController())
                : rt::Ref<ui::AlertController>();
}

rt::Ref<ui::Switch> PaneState::switchFor(const std::string& key) const {
    auto page = front();
    const auto row = page->specifierForKey(key);
    if (!row) throw ScriptError("the page shows no row with the key '" + key + "'");
    auto cell = rt::cast<settings::PSControlTableCell>(
        page->table()->cellForRowAtIndexPath(page->indexPathForSpecifier(row.get()).get()));
    auto control = cell ? rt::cast<ui::Switch>(cell->control()) : rt::Ref<ui::Switch>();
    if (!control) throw ScriptError("the row '" + key + "' has no switch");
    return control;
}
