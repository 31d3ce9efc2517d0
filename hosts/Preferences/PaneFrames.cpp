#include "PaneFrames.h"

#include <nlohmann/json.hpp>

#include "rt/Messaging.h"
#include "settings/PSTableCell.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"
#include "ui/Switch.h"

namespace {

using nlohmann::json;

json frameOnScreen(const ui::View& view) {
    const ui::Point origin = view.convertPointToView(view.bounds().origin, nullptr);
    return json::array({origin.x, origin.y, view.bounds().width(), view.bounds().height()});
}

// The title a person reads: the page's title label (the pane's pages show one in the bar),
// else the title of the item the bar shows, else the page's own.
std::string titleOf(const rt::Ref<settings::PSListController>& page,
                    const rt::Ref<ui::NavigationItem>& item) {
    const rt::Selector selector = rt::sel("titleLabel");
    if (rt::respondsToSelector(page, selector)) {
        const auto label = rt::cast<ui::Label>(rt::send<rt::Ref<rt::Object>>(page, selector));
        if (label && !label->text().empty()) return label->text();
    }
    if (item && !item->title().empty()) return item->title();
    return page->title();
}

// A row on screen: its cell shown by the table (rows scrolled far away have none).
json rowOf(const rt::Ref<settings::PSListController>& page,
           const rt::Ref<settings::PSSpecifier>& row) {
    const auto indexPath = page->indexPathForSpecifier(row.get());
    const auto cell = indexPath ? page->table()->cellForRowAtIndexPath(indexPath.get()) : nullptr;
    if (!cell || cell->isHidden()) return nullptr;
    const std::string key = row->stringProperty("key");
    json entry = {{"label", row->name()},
                  {"key", key.empty() ? json(nullptr) : json(key)},
                  {"frame", frameOnScreen(*cell)}};
    const auto control = rt::cast<settings::PSControlTableCell>(cell);
    if (const auto flip = control ? rt::cast<ui::Switch>(control->control()) : nullptr)
        entry["on"] = flip->isOn();
    return entry;
}

}  // namespace

std::string PaneFrames::json(const PaneState& state) {
    const auto page = state.visiblePage();
    const auto bar = state.settingsApp().rootStack()->navigationBar();
    const auto item = bar->topItem();
    const auto respring = item ? item->rightBarButtonItem() : nullptr;
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& row : page->currentSpecifiers()) {
        if (row->cellType() == settings::PSCellType::Group) continue;
        if (auto entry = rowOf(page, row); !entry.is_null()) rows.push_back(std::move(entry));
    }
    const auto alert = state.alert();
    return nlohmann::json{{"title", titleOf(page, item)},
                          {"rows", std::move(rows)},
                          {"offset", page->table()->contentOffset().y},
                          {"back", !bar->backTitle().empty() || state.settingsApp().frontPage()},
                          {"respring", respring && respring->title() == "Respring"},
                          {"alert", alert ? nlohmann::json(alert->text()) : nlohmann::json()}}
        .dump();
}
