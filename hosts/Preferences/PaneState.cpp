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
