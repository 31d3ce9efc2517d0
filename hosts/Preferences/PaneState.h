#pragma once

#include <memory>

#include "rt/Ref.h"
#include "settings/PSListController.h"
#include "settings/SettingsApp.h"
#include "ui/AlertController.h"
#include "ui/Switch.h"

// What a pane script works on: the Settings app (made once the world is booted) and the
// reload notifications posted since the script started.
struct PaneState {
    std::unique_ptr<settings::SettingsApp> app;
    int posted = 0;

    // The app; throws ScriptError before it is made.
    settings::SettingsApp& settingsApp() const;
    // The page in front; throws ScriptError when no pane is open.
    rt::Ref<settings::PSListController> front() const;
    // The page a person sees: the page in front, or the app's own list when no pane is open.
    rt::Ref<settings::PSListController> visiblePage() const;
    // The alert over the page a person sees, or null.
    rt::Ref<ui::AlertController> alert() const;
    // The switch of the row with that key on the page in front; throws ScriptError.
    rt::Ref<ui::Switch> switchFor(const std::string& key) const;
};
