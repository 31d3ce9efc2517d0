#include "PaneQuantities.h"

#include <cstdio>
#include <optional>

#include "ScriptError.h"
#include "ScriptWords.h"
#include "core/preferences/PreferenceFile.h"
#include "core/process/ProgramLauncher.h"
#include "rt/Messaging.h"
#include "shared/MorvaneIdentifiers.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"

namespace {

using S = const std::string&;

std::string onOff(const core::PlistValue* value) {
    if (!value) return "absent";
    if (const auto flag = value->asBool()) return *flag ? "on" : "off";
    if (const auto amount = value->asNumber()) return *amount != 0 ? "on" : "off";
    return "absent";
}

rt::Ref<rt::Object> objectProperty(rt::Object* page, const char* selector) {
    return rt::send<rt::Ref<rt::Object>>(page, rt::sel(selector));
}

std::string formatNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

QuantityValue fileValue(const std::string& key) {
    const auto values = core::PreferenceFile::read(morvane::identifiers::kSettingsDomain);
    return onOff(values ? values->find(key) : nullptr);
}

QuantityValue pageTitle(const PaneState& state) {
    auto page = state.front();
    const auto label = rt::cast<ui::Label>(objectProperty(page.get(), "titleLabel"));
    return label ? label->text() : page->title();
}

QuantityValue respringShown(const PaneState& state) {
    auto& app = state.settingsApp();
    auto root = app.rootPage();
    const auto item = app.rootStack()->navigationBar()->topItem();
    const bool shown =
        root && item && item->rightBarButtonItem() &&
        item->rightBarButtonItem().get() == objectProperty(root.get(), "respringButton").get();
    return shown ? 1.0 : 0.0;
}

QuantityValue headerHeight(const PaneState& state, const std::string& index) {
    auto page = state.front();
    const long long section = ScriptWords::integer(index, "section", 0, 1'000'000);
    return rt::send<double>(page, rt::sel("tableView:heightForHeaderInSection:"), page->table(),
                            section);
}

QuantityValue alphaOf(const PaneState& state, const char* getter, const char* what) {
    auto view = rt::cast<ui::View>(objectProperty(state.front().get(), getter));
    if (!view) throw ScriptError(std::string("the page has no ") + what);
    return view->alpha();
}

QuantityValue headerImageFrame(const PaneState& state) {
    auto view = rt::cast<ui::View>(objectProperty(state.front().get(), "headerImageView"));
    if (!view) throw ScriptError("the page has no header image");
    const ui::Rect frame = view->frame();
    return formatNumber(frame.x()) + " " + formatNumber(frame.y()) + " " +
           formatNumber(frame.width()) + " " + formatNumber(frame.height());
}

// The labels of the rows of the page a person sees (the app's own list when no pane is open).
QuantityValue pageRows(const PaneState& state) {
    std::string rows;
    for (const auto& row : state.visiblePage()->currentSpecifiers()) {
        if (row->cellType() == settings::PSCellType::Group) continue;
        rows += (rows.empty() ? "" : "|") + row->name();
    }
    return rows;
}

// The subtitle of the row with that label on the page a person sees.
QuantityValue rowSubtitle(const PaneState& state, const std::string& label) {
    const auto page = state.visiblePage();
    const auto row = page->specifierForLabel(label);
    if (!row) throw ScriptError("the page shows no row labelled '" + label + "'");
    const auto cell =
        page->table()->cellForRowAtIndexPath(page->indexPathForSpecifier(row.get()).get());
    return cell ? cell->detailTextLabel()->text() : std::string();
}

bool showsRow(const PaneState& state, const std::string& label) {
    return state.app && static_cast<bool>(state.visiblePage()->specifierForLabel(label));
}

QuantityValue backTitle(const PaneState& state) {
    const std::string& title = state.settingsApp().rootStack()->navigationBar()->backTitle();
    return title.empty() ? std::string("none") : title;
}

QuantityValue alertText(const PaneState& state) {
    const auto alert = state.alert();
    return alert ? alert->text() : std::string("none");
}

QuantityValue launched() {
    const auto launches = core::ProgramLauncher::launches();
    if (launches.empty()) return std::string("none");
    std::string text = launches.back().devicePath;
    for (const auto& argument : launches.back().arguments) text += " " + argument;
    return text;
}

}  // namespace

std::vector<ScriptQuantity> PaneQuantities::quantities(const PaneState& state) {
    const PaneState* pane = &state;
    return {
        {"page.title", true, [pane](S) { return pageTitle(*pane); },
         "the title of the page in front"},
        {"row.subtitle.<label…>", true, [pane](S label) { return rowSubtitle(*pane, label); },
         "the subtitle of the row with that label",
         [pane](S label) { return showsRow(*pane, label); }},
        {"row.<key>", false,
         [pane](S key) { return QuantityValue(pane->switchFor(key)->isOn() ? "on" : "off"); },
         "on or off: what the row's switch shows"},
        {"file.<key>", false, fileValue, "on, off or absent: the settings file on disk"},
        {"respring.shown", false, [pane](S) { return respringShown(*pane); },
         "0 or 1: the navigation bar shows the Respring button"},
        {"header.height.<section>", false, [pane](S index) { return headerHeight(*pane, index); },
         "the page's height for that section's header"},
        {"title.alpha", false, [pane](S) { return alphaOf(*pane, "titleLabel", "title"); },
         "the alpha of the title label in the bar"},
        {"icon.alpha", false, [pane](S) { return alphaOf(*pane, "iconView", "icon"); },
         "the alpha of the icon in the bar"},
        {"headerImage.frame", true, [pane](S) { return headerImageFrame(*pane); },
         "x y width height of the root page's header image"},
        {"table.offset", false,
         [pane](S) { return QuantityValue(pane->visiblePage()->table()->contentOffset().y); },
         "the vertical content offset of the page a person sees"},
        {"back.title", true, [pane](S) { return backTitle(*pane); },
         "the title of the navigation bar's back button, or none"},
        {"page.rows", true, [pane](S) { return pageRows(*pane); },
         "the labels of the page's rows in order, joined by |; on the app's own list, its entries"},
        {"alert", true, [pane](S) { return alertText(*pane); },
         "the text of the alert on screen (title: message), or none"},
        {"posted", false, [pane](S) { return QuantityValue(static_cast<double>(pane->posted)); },
         "reload notifications posted since the start"},
        {"launched", true, [](S) { return launched(); },
         "the last program the pane launched with its arguments, or none"},
    };
}
